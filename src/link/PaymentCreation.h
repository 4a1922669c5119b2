#pragma once

#include <QString>

class DayJournal;
class Dialogs;
class Environment;
class ServerLink;
class Session;
class SystemClock;
class TransactionIds;
class Transmission;
struct JournalRow;

// What the payment window hands over.
struct PaymentInput {
    QString operatorCaption; // a blank and the operator's name, as on the window's operator button
    QString article;         // the operator's article code
    QString account;         // prefix and typed digits
    QString credited;        // the credited sum as shown
    QString received;        // the sum typed
    QString paymentType;     // of the category the operator was chosen from
};

// Turns what the cashier entered into a journal row, paid now or deferred, or
// sends the operator's balance query.
class PaymentCreation {
public:
    PaymentCreation(const Environment& env, const Session& session, ServerLink& link, DayJournal& days,
                    TransactionIds& ids, Transmission& transmission, Dialogs& dialogs, SystemClock& clock);

    // "ОПЛАТИТЬ": recorded, saved, and sent at once.
    void payNow(const PaymentInput& input);
    // "ОТЛОЖИТЬ": recorded and saved; sent later by "Провести платеж" or "Провести все платежи".
    void defer(const PaymentInput& input);
    // "БАЛАНС": the operator's balance query; nothing is recorded.
    void queryBalance(const PaymentInput& input);

    // Files a row at the top of today's journal, stamped with the current time
    // (an empty transaction id gets the next free one), selects it, saves the day
    // and, when sendNow, sends it. False when there is no terminal directory to
    // keep it in. Payments and goods sales are filed alike.
    bool file(JournalRow row, bool sendNow);

private:
    static JournalRow rowOf(const PaymentInput& input, const QString& note);

    const Environment& env_;
    const Session& session_;
    ServerLink& link_;
    DayJournal& days_;
    TransactionIds& ids_;
    Transmission& transmission_;
    Dialogs& dialogs_;
    SystemClock& clock_;
};
