#include "link/PaymentCreation.h"

#include "core/Environment.h"
#include "core/Session.h"
#include "core/TerminalCertificate.h"
#include "link/Messages.h"
#include "link/ServerLink.h"
#include "link/Transmission.h"
#include "payments/DayJournal.h"
#include "payments/PaymentJournal.h"
#include "payments/TransactionIds.h"
#include "platform/Dialogs.h"
#include "platform/SystemClock.h"

#include <exception>

PaymentCreation::PaymentCreation(const Environment& env, const Session& session, ServerLink& link,
                                 DayJournal& days, TransactionIds& ids, Transmission& transmission,
                                 Dialogs& dialogs, SystemClock& clock)
    : env_(env), session_(session), link_(link), days_(days), ids_(ids), transmission_(transmission),
      dialogs_(dialogs), clock_(clock) {}

void PaymentCreation::queryBalance(const PaymentInput& input) {
    if (!link_.ready()) {
        dialogs_.message(QStringLiteral("Требуется регистрация с сервером!!!"));
        return;
    }
    const QString id = ids_.next();
    try {
        const std::optional<QString> certificate =
            TerminalCertificate::readCertificate(env_.certificatePath(session_.loginTerminal()));
        if (!certificate)
            return;
        const QString message = Messages::balanceQuery(id, input.article, input.account, *certificate);
        link_.sendMessage(message);
        link_.log(QStringLiteral("Передача данных ") + message.mid(1));
    } catch (const std::exception&) {
        // A query that cannot be built or sent is dropped without a word.
    }
}

bool PaymentCreation::file(JournalRow row, bool sendNow) {
    // Without an accepted login there is no terminal directory to keep the row in.
    if (session_.journalDir().isEmpty()) {
        dialogs_.message(QStringLiteral("Требуется регистрация с сервером!!!"));
        return false;
    }
    // Today's row goes into today's journal, whatever day is on screen.
    if (!days_.showingToday())
        days_.showDay(days_.today());
    PaymentJournal& journal = days_.table();
    if (row.transactionId.isEmpty())
        row.transactionId = ids_.next();
    row.executedAt = clock_.now().toString(QStringLiteral("dd.MM.yy hh:mm:ss"));
    const int at = journal.insertPaymentRow();
    // The note goes to disk with the row itself.
    journal.setPaymentRow(at, row);
    journal.setCurrentRow(at);
    days_.saveDay();
    if (sendNow)
        transmission_.send(row.transactionId);
    return true;
}

JournalRow PaymentCreation::rowOf(const PaymentInput& input, const QString& note) {
    return JournalRow{QString(), input.operatorCaption, input.account,     input.credited, input.received,
                      QString(), note,                  input.article,     input.paymentType,
                      QString(), SendFlag::Unsent};
}

void PaymentCreation::payNow(const PaymentInput& input) {
    file(rowOf(input, QStringLiteral("в процессе")), true);
}

void PaymentCreation::defer(const PaymentInput& input) {
    file(rowOf(input, QStringLiteral("отложено")), false);
}
