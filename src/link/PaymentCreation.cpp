#include "link/PaymentCreation.h"

#include "core/AppContext.h"
#include "core/TerminalCertificate.h"
#include "link/ServerLink.h"
#include "link/Transmission.h"
#include "payments/PaymentJournal.h"
#include "platform/Dialogs.h"
#include "platform/SystemClock.h"

#include <exception>

using Col = PaymentJournal::Column;

PaymentCreation::PaymentCreation(AppContext& ctx, ServerLink& link, PaymentJournal& journal,
                                 Transmission& transmission, Days days)
    : ctx_(ctx), link_(link), journal_(journal), transmission_(transmission), days_(std::move(days)) {}

QString PaymentCreation::newTransactionId() {
    const QString prefix = ctx_.terminalNumber + QLatin1Char('_') +
                           ctx_.loginDateTime.date().toString(QStringLiteral("yyMMdd"));
    QTime time = ctx_.clock->now().time();
    QString id;
    for (int tries = 0; tries < 24 * 3600; ++tries) {
        id = prefix + time.toString(QStringLiteral("hhmmss"));
        const bool taken = issued_.contains(id) ||
                           journal_.findRow(Col::TransactionId, id, 1, PaymentJournal::Match::Exact) >= 0;
        if (!taken)
            break;
        time = time.addSecs(1);
    }
    issued_.insert(id);
    return id;
}

void PaymentCreation::createPayment(const QString& mode, const PaymentInput& input) {
    if (mode == QLatin1String("2")) {
        if (!(link_.isOpen() && ctx_.registered)) {
            ctx_.dialogs->message(QStringLiteral("Требуется регистрация с сервером!!!"));
            return;
        }
        const QString id = newTransactionId();
        try {
            const std::optional<QString> certificate = TerminalCertificate::readCertificate(ctx_);
            if (!certificate)
                return;
            const QString body = id + QStringLiteral("#20$") + input.article + QStringLiteral("?9999!9999/") +
                                 input.account + QLatin1Char('#') + *certificate + QLatin1Char(')');
            link_.sendMessage(QStringLiteral("o") + body);
            link_.log(QStringLiteral("Передача данных ") + body);
        } catch (const std::exception&) {
            // A query that cannot be built or sent is dropped without a word.
        }
        return;
    }

    // Without an accepted login there is no terminal directory to keep the payment in.
    if (ctx_.journalDir.isEmpty()) {
        ctx_.dialogs->message(QStringLiteral("Требуется регистрация с сервером!!!"));
        return;
    }
    // Today's payment goes into today's journal, whatever day is on screen.
    if (!days_.showingToday())
        days_.showToday();
    const QString id = newTransactionId();
    const QDateTime now = ctx_.clock->now();
    const int row = journal_.insertPaymentRow();
    journal_.setCell(row, Col::ExecutedAt, now.toString(QStringLiteral("dd.MM.yy hh:mm:ss")));
    journal_.setCell(row, Col::OperatorName, input.operatorCaption);
    journal_.setCell(row, Col::Article, input.article);
    journal_.setCell(row, Col::Account, input.account);
    journal_.setCell(row, Col::Credited, input.credited);
    journal_.setCell(row, Col::Received, input.received);
    journal_.setCell(row, Col::TransactionId, id);
    journal_.setCell(row, Col::PaymentType, ctx_.paymentType);
    journal_.setCell(row, Col::Status, QString());
    journal_.setCell(row, Col::SendFlag, QStringLiteral("0"));
    // The note goes to disk with the row itself.
    journal_.setCell(row, Col::Note, mode == QLatin1String("9") ? QStringLiteral("отложено")
                                                                : QStringLiteral("в процессе"));
    journal_.setCurrentRow(row);
    days_.saveShownDay();
    if (mode == QLatin1String("0")) {
        journal_.setCurrentRow(row);
        transmission_.transmitPayment(QStringLiteral("file"));
    }
}
