#pragma once

#include "payments/PaymentJournal.h"

#include <QList>
#include <QString>
#include <QStringList>

// The day's journal against the server's statement of the same day, transaction
// by transaction. The statement's transaction field holds the id before any "*".
namespace Reconciliation {

// One movement of the server's day statement:
// stamp "#" date "#" account "#" payment "#" pay-in "#" balance "#" transaction "#" note "#".
struct Movement {
    QString stamp;
    QString date;
    QString account;
    QString payment;
    QString payIn;
    QString balance;
    QString transactionId;
    QString note;
};

// A payment whose sum the server books differently.
struct SumDiffers {
    JournalRow row;
    Movement movement;
};

struct Result {
    int matched = 0;                 // in both, same sum
    QList<JournalRow> onlyInJournal; // unsent, refused, or lost on the way
    QList<Movement> onlyOnServer;    // payments the journal does not hold
    QList<SumDiffers> sumsDiffer;
    int payIns = 0; // money paid in: the journal never holds these

    bool clean() const { return onlyInJournal.isEmpty() && onlyOnServer.isEmpty() && sumsDiffer.isEmpty(); }
};

// The statement's movements, its caption line left out.
QList<Movement> movements(const QStringList& statementLines);

// Compares the journal's payment rows with the statement. A cancellation or
// correction request (negative sums) moves no money until the operator decides,
// so it is matched by its transaction alone.
Result compare(const QList<JournalRow>& journal, const QStringList& statementLines);

// A sum as either side writes it ("98,00", "98.00", "98"), in hundredths; false
// when it is no sum of money.
bool cents(const QString& text, qint64* value);

} // namespace Reconciliation
