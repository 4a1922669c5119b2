#include "link/Cancellation.h"

#include "core/Environment.h"
#include "core/IniFile.h"
#include "link/Transmission.h"
#include "payments/DayJournal.h"
#include "payments/DayRecords.h"
#include "payments/PaymentJournal.h"
#include "payments/TransactionIds.h"
#include "platform/Dialogs.h"
#include "platform/FileIo.h"
#include "platform/SystemClock.h"

namespace {

const QString kTitle = QStringLiteral("Отмена платежа");
const QString kDeletionTitle = QStringLiteral("Удаление платежа");

// Blanks and control characters off both ends.
QString trimControls(const QString& text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) <= QLatin1Char(' '))
        ++from;
    while (to > from && text.at(to - 1) <= QLatin1Char(' '))
        --to;
    return text.mid(from, to - from);
}

bool allDigits(const QString& text) {
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

const QString Cancellation::OnItsWayText =
    QStringLiteral("Платеж передается на сервер. Дождитесь ответа сервера.");
const QString Cancellation::MayHaveReachedText =
    QStringLiteral("Платеж уже уходил на сервер без ответа и мог быть принят: удалить его нельзя.\n"
                   "Отправьте его повторно («Провести платеж») или сверьте день с сервером.");
const QString Cancellation::AlreadyRequestedText = QStringLiteral("По этому платежу уже подана заявка на отмену");

Cancellation::Cancellation(const Environment& env, DayJournal& days, DayRecords& records, TransactionIds& ids,
                           Transmission& transmission, Dialogs& dialogs, SystemClock& clock, QObject* parent)
    : QObject(parent), env_(env), days_(days), records_(records), ids_(ids), transmission_(transmission),
      dialogs_(dialogs), clock_(clock) {
    // Each day shown, and each pass that may have brought a refusal, marks again
    // the payments a request was filed for.
    connect(&days_.table(), &QAbstractItemModel::modelReset, this, &Cancellation::markRequests);
    connect(&transmission_, &Transmission::passFinished, this, &Cancellation::markRequests);
}

void Cancellation::command(const JournalRow& row) {
    if (awaitsSending(row.sendFlag)) {
        if (!keptFromDeletion(row))
            deleteUnsent(row);
        return;
    }
    // A request row is credited with its sums already negative; a request for it
    // would send "--" sums.
    if (classifyStatus(row.status) != PaymentStatus::Credited ||
        trimControls(row.credited).startsWith(QLatin1Char('-')))
        return;
    if (pendingRequest(days_.shownDay(), row.transactionId)) {
        dialogs_.box(AlreadyRequestedText, kTitle, Dialogs::Icon::Warning);
        return;
    }
    openWindow(row);
}

bool Cancellation::keptFromDeletion(const JournalRow& row) {
    if (row.transactionId.isEmpty())
        return false;
    // On the wire, or out without an answer: the server may hold it, and a
    // payment deleted here would be money handed back that the agent still owes.
    if (transmission_.onItsWay(row.transactionId)) {
        dialogs_.box(OnItsWayText, kDeletionTitle, Dialogs::Icon::Warning);
        return true;
    }
    if (records_.mayHaveReachedServer(days_.shownDay(), row.transactionId)) {
        dialogs_.box(MayHaveReachedText, kDeletionTitle, Dialogs::Icon::Warning);
        return true;
    }
    return false;
}

void Cancellation::deleteUnsent(const JournalRow& row) {
    if (!dialogs_.question(QStringLiteral("Удалить платеж ") + row.account + QLatin1Char(' ') +
                               row.transactionId + QLatin1Char('?'),
                           kDeletionTitle))
        return;
    // The question lets server answers run: a send-all run may have had the row
    // accepted meanwhile, or sent it; a payment the server may hold stays.
    PaymentJournal& journal = days_.table();
    const int target = journal.rowOf(row);
    if (target < 0 || !awaitsSending(journal.sendFlag(target)))
        return;
    const JournalRow removed = journal.paymentRow(target);
    if (keptFromDeletion(removed))
        return;
    // Recorded first: a crash between the two keeps the trace of the deletion.
    records_.deleted(days_.shownDay(), removed);
    journal.removePaymentRow(target);
    days_.saveDay();
}

bool Cancellation::stands(const QDate& requestDay, const QString& requestId) const {
    PaymentJournal other;
    const PaymentJournal* journal = &days_.table();
    if (requestDay != days_.shownDay()) {
        QByteArray bytes;
        if (!FileIo::readBytes(days_.dayFilePath(requestDay), &bytes) || !other.fromDayFile(bytes))
            return false;
        journal = &other;
    }
    const int row = journal->rowOfTransaction(requestId);
    if (row < 0)
        return false; // deleted before it went out
    if (journal->status(row) == PaymentStatus::Failed)
        return false;
    return !(awaitsSending(journal->sendFlag(row)) &&
             records_.lastMoment(requestDay, requestId) == DayRecords::Moment::Refused);
}

std::optional<QString> Cancellation::pendingRequest(const QDate& day, const QString& id) const {
    if (!day.isValid() || id.isEmpty())
        return std::nullopt;
    // A request is filed on the day it is made, never before its payment's.
    for (QDate d = day; d <= days_.today(); d = d.addDays(1)) {
        for (const DayRecords::Request& r : records_.requestsFiled(d)) {
            if (r.paymentId == id && r.paymentDay == day && stands(r.requestDay, r.requestId))
                return r.requestId;
        }
    }
    return std::nullopt;
}

QHash<QString, QString> Cancellation::requestsAgainst(const QDate& day) const {
    QHash<QString, QString> found;
    if (!day.isValid())
        return found;
    for (QDate d = day; d <= days_.today(); d = d.addDays(1)) {
        for (const DayRecords::Request& r : records_.requestsFiled(d)) {
            if (r.paymentDay == day && !found.contains(r.paymentId) && stands(r.requestDay, r.requestId))
                found.insert(r.paymentId, r.requestId);
        }
    }
    return found;
}

void Cancellation::markRequests() {
    days_.table().setCancellationRequests(requestsAgainst(days_.shownDay()));
}

void Cancellation::openWindow(const JournalRow& row) {
    const QString& article = row.article;
    // Read afresh: the server may have replaced operator.ini since the login.
    const IniFile operators(env_.operatorIniPath());
    const QString corect = operators.readString(article, QStringLiteral("corect"), QStringLiteral("2"));
    CancellationForm form;
    if (corect == QLatin1String("0")) {
        form.kind = CancellationForm::Kind::Cancel;
        form.caption = kTitle;
    } else if (corect == QLatin1String("1")) {
        form.kind = CancellationForm::Kind::Correct;
        form.caption = QStringLiteral("Корректировка платежа");
    } else {
        dialogs_.box(QStringLiteral("Отмена платежа для данного оператора не поддерживаеться!"), kTitle,
                     Dialogs::Icon::Error);
        return;
    }
    form.executedAt = row.executedAt;
    form.operatorName = row.operatorName;
    form.account = row.account;
    form.credited = row.credited;
    form.transactionId = row.transactionId;
    form.article = article;
    form.paymentType = row.paymentType;
    form.iconPath = env_.operatorIcon(article);
    form.day = days_.shownDay();
    form_ = form;
    emit showRequested();
}

void Cancellation::file(const QString& newAccount) {
    QString account = form_.account;
    if (form_.kind == CancellationForm::Kind::Correct) {
        // The new number replaces the old one digit for digit; anything else
        // would also break the fields of the message it travels in.
        if (newAccount.size() != form_.account.size() || !allDigits(newAccount)) {
            dialogs_.box(QStringLiteral("Введите номер абонента для корректировки платежы!"), kTitle,
                         Dialogs::Icon::Error);
            return;
        }
        account += QLatin1Char('+') + newAccount;
    }
    // A request made today belongs to today's journal, whatever day is on screen.
    if (!days_.showingToday())
        days_.showDay(days_.today());
    const QString negated = QLatin1Char('-') + trimControls(form_.credited);
    PaymentJournal& journal = days_.table();
    const QString id = ids_.next();
    const int row = journal.insertPaymentRow();
    journal.setPaymentRow(row, JournalRow{clock_.now().toString(QStringLiteral("dd.MM.yy hh:mm:ss")),
                                          form_.operatorName, account, negated, negated, id,
                                          QStringLiteral("в процессе"), form_.article, form_.paymentType,
                                          QString(), SendFlag::Unsent});
    journal.setCurrentRow(row);
    // On disk before it goes out: an answer must find the row in the file too,
    // and the record says which payment it is for.
    days_.saveDay();
    records_.requestFiled({id, days_.today(), form_.transactionId, form_.day});
    if (form_.day == days_.shownDay())
        markRequests();
    transmission_.send(id);
}
