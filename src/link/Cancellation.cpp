#include "link/Cancellation.h"

#include "core/Environment.h"
#include "core/IniFile.h"
#include "link/Transmission.h"
#include "payments/DayJournal.h"
#include "payments/PaymentJournal.h"
#include "payments/TransactionIds.h"
#include "platform/Dialogs.h"
#include "platform/SystemClock.h"

namespace {

const QString kTitle = QStringLiteral("Отмена платежа");

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

Cancellation::Cancellation(const Environment& env, DayJournal& days, TransactionIds& ids,
                           Transmission& transmission, Dialogs& dialogs, SystemClock& clock, QObject* parent)
    : QObject(parent), env_(env), days_(days), ids_(ids), transmission_(transmission), dialogs_(dialogs),
      clock_(clock) {}

void Cancellation::command(const JournalRow& row) {
    if (awaitsSending(row.sendFlag))
        deleteUnsent(row);
    // A request row is credited with its sums already negative; a request for it
    // would send "--" sums.
    else if (classifyStatus(row.status) == PaymentStatus::Credited &&
             !trimControls(row.credited).startsWith(QLatin1Char('-')))
        openWindow(row);
}

void Cancellation::deleteUnsent(const JournalRow& row) {
    if (!dialogs_.question(QStringLiteral("Удалить платеж ") + row.account + QLatin1Char(' ') +
                               row.transactionId + QLatin1Char('?'),
                           QStringLiteral("Удаление платежа")))
        return;
    // The question lets server answers run: a send-all run may have had the row
    // accepted meanwhile, and a payment the server holds must stay in the journal.
    PaymentJournal& journal = days_.table();
    const int target = journal.rowOf(row);
    if (target < 0 || !awaitsSending(journal.sendFlag(target)))
        return;
    journal.removePaymentRow(target);
    days_.saveDay();
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
    // On disk before it goes out: an answer must find the row in the file too.
    days_.saveDay();
    transmission_.send(id);
}
