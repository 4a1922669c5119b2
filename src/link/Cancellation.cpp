#include "link/Cancellation.h"

#include "core/AppContext.h"
#include "core/IniFile.h"
#include "link/Transmission.h"
#include "payments/DayJournal.h"
#include "payments/PaymentJournal.h"
#include "payments/TransactionIds.h"
#include "platform/Dialogs.h"
#include "platform/IconLookup.h"
#include "platform/SystemClock.h"

namespace {

using Col = PaymentJournal::Column;

const QString kTitle = QStringLiteral("Отмена платежа");

bool unsent(const QString& flag) {
    return flag == QLatin1String("0") || flag == QLatin1String("9");
}

bool credited(const QString& status) {
    return status == QLatin1String("+") || status == QLatin1String("1") || status == QLatin1String("0") ||
           status == QLatin1String("10");
}

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

Cancellation::Cancellation(AppContext& ctx, DayJournal& days, TransactionIds& ids, Transmission& transmission,
                           QObject* parent)
    : QObject(parent), ctx_(ctx), days_(days), ids_(ids), transmission_(transmission) {}

void Cancellation::command() {
    const PaymentJournal& journal = days_.table();
    const int row = journal.currentRow();
    if (unsent(journal.cell(row, Col::SendFlag)))
        deleteUnsent(row);
    // A request row is credited with its sums already negative; a request for it
    // would send "--" sums.
    else if (credited(journal.cell(row, Col::Status)) &&
             !trimControls(journal.cell(row, Col::Credited)).startsWith(QLatin1Char('-')))
        openWindow(row);
}

void Cancellation::deleteUnsent(int row) {
    PaymentJournal& journal = days_.table();
    const QString id = journal.cell(row, Col::TransactionId);
    if (!ctx_.dialogs->question(QStringLiteral("Удалить платеж ") + journal.cell(row, Col::Account) +
                                    QLatin1Char(' ') + id + QLatin1Char('?'),
                                QStringLiteral("Удаление платежа")))
        return;
    // The question lets server answers run: a send-all run may have had the row
    // accepted meanwhile, and a payment the server holds must stay in the journal.
    const int target =
        id.isEmpty() ? row : journal.findRow(Col::TransactionId, id, 1, PaymentJournal::Match::Exact);
    if (target < 0 || !unsent(journal.cell(target, Col::SendFlag)))
        return;
    journal.removePaymentRow(target);
    days_.saveDay();
}

void Cancellation::openWindow(int row) {
    const PaymentJournal& journal = days_.table();
    const QString article = journal.cell(row, Col::Article);
    // Read afresh: the server may have replaced operator.ini since the login.
    const IniFile operators(ctx_.programDir + QStringLiteral("operator.ini"));
    const QString corect = operators.readString(article, QStringLiteral("corect"), QStringLiteral("2"));
    CancellationForm form;
    if (corect == QLatin1String("0")) {
        form.kind = CancellationForm::Kind::Cancel;
        form.caption = kTitle;
    } else if (corect == QLatin1String("1")) {
        form.kind = CancellationForm::Kind::Correct;
        form.caption = QStringLiteral("Корректировка платежа");
    } else {
        ctx_.dialogs->box(QStringLiteral("Отмена платежа для данного оператора не поддерживаеться!"), kTitle,
                          Dialogs::Icon::Error);
        return;
    }
    form.executedAt = journal.cell(row, Col::ExecutedAt);
    form.operatorName = journal.cell(row, Col::OperatorName);
    form.account = journal.cell(row, Col::Account);
    form.credited = journal.cell(row, Col::Credited);
    form.transactionId = journal.cell(row, Col::TransactionId);
    form.article = article;
    form.paymentType = journal.cell(row, Col::PaymentType);
    if (!article.isEmpty())
        form.iconPath = IconLookup::findIcon(ctx_.programDir, article + QStringLiteral(".ico"));
    form_ = form;
    emit showRequested();
}

void Cancellation::file(const QString& newAccount) {
    QString account = form_.account;
    if (form_.kind == CancellationForm::Kind::Correct) {
        // The new number replaces the old one digit for digit; anything else
        // would also break the fields of the message it travels in.
        if (newAccount.size() != form_.account.size() || !allDigits(newAccount)) {
            ctx_.dialogs->box(QStringLiteral("Введите номер абонента для корректировки платежы!"), kTitle,
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
    journal.setPaymentRow(row, JournalRow{ctx_.clock->now().toString(QStringLiteral("dd.MM.yy hh:mm:ss")),
                                          form_.operatorName, account, negated, negated, id,
                                          QStringLiteral("в процессе"), form_.article, form_.paymentType,
                                          QString(), QStringLiteral("0")});
    journal.setCurrentRow(row);
    // On disk before it goes out: an answer must find the row in the file too.
    days_.saveDay();
    journal.setCurrentRow(row);
    transmission_.sendSelectedRow();
}
