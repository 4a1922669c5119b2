#pragma once

#include "sim/Ledger.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QTime>

namespace sim {

// One movement of an agent's deposit: a payment taken (payment) or money paid in (payin).
struct Movement {
    QTime time;
    QString account;
    QString article;
    qint64 payment = 0;
    qint64 payin = 0;
    QString transaction;
    QString note;
};

// A payment to a subscriber's account, as the search lists it.
struct FoundPayment {
    QDateTime at;
    QString article;
    qint64 credited = 0;
    QString transaction;
    QString state;
};

// The account history of one terminal: invented but repeatable movements for every day
// before today (the same terminal and day always give the same movements), plus the
// payments the simulator has really received.
class DemoHistory {
public:
    DemoHistory(const QString& login, const Ledger& ledger, const QDate& today);

    // Movements of one day, by time: a Monday starts with a pay-in covering the week before.
    QList<Movement> day(const QDate& date) const;
    // Deposit at the start of a day; each year starts from its own invented balance.
    qint64 openingBalance(const QDate& date) const;

    // Invented earlier payments to an account, newest first; none for numbers shorter than 5 digits.
    static QList<FoundPayment> earlierPayments(const QString& account, const QDate& today);
    static QString stateText(const QString& statusCode);

private:
    QList<Movement> demoPayments(const QDate& date) const;
    qint64 net(const QDate& date) const;

    QString login_;
    quint64 seed_;
    QDate today_;
    QHash<QDate, QList<Movement>> live_;
};

// A stable 64-bit hash (FNV-1a), unlike qHash, which is seeded anew at every start.
quint64 stableHash(const QString& text);

} // namespace sim
