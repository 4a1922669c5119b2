#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <deque>

namespace sim {

// What a row of the terminal's journal stands for, as the server can tell it apart:
// a cancellation carries negative sums, a correction also a "+" in the account.
enum class RowKind { Payment, Cancellation, Correction };

struct PaymentRecord {
    QString transaction;
    QString terminal; // login of the account that sent it
    QString paymentType;
    QString article;
    QString received;
    QString credited;
    QString account;
    qint64 creditedCents = 0;
    RowKind kind = RowKind::Payment;
    QDateTime at;
    QStringList statuses; // the progression this payment follows, taken when it arrived
    int asked = 0;        // how many status requests it has answered
    QString lastStatus;   // empty until the first status request
    bool refunded = false;
};

// The payments the simulator has accepted, by transaction, oldest first.
// Bounded: past the capacity the oldest are forgotten.
class Ledger {
public:
    explicit Ledger(int capacity = 100000) : capacity_(capacity) {}

    PaymentRecord* find(const QString& transaction);
    const PaymentRecord* find(const QString& transaction) const;
    void add(const PaymentRecord& record);
    // The next code of the payment's progression; the last code repeats for ever.
    static QString nextStatus(PaymentRecord& record);
    QList<PaymentRecord> all() const;
    // Payments to an account, newest first.
    QList<PaymentRecord> forAccount(const QString& account) const;
    int size() const { return int(order_.size()); }

private:
    int capacity_;
    std::deque<QString> order_;
    QHash<QString, PaymentRecord> byTransaction_;
};

} // namespace sim
