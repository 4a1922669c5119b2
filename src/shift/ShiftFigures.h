#pragma once

#include "payments/DayRecords.h"
#include "shift/CashDrawer.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// A count and a sum in hundredths.
struct Tally {
    int count = 0;
    qint64 cents = 0;
    void add(qint64 sum) {
        ++count;
        cents += sum;
    }
};

// One operator's payments of a shift.
struct OperatorTotals {
    QString article;
    QString name;
    int count = 0;
    qint64 received = 0;
    qint64 credited = 0;
    qint64 commission() const { return received - credited; }
};

// A cancellation whose server's answer was still awaited when its shift closed:
// the next shift counts its sum as handed back once the server has credited it.
struct PendingCancellation {
    QString transactionId;
    QDate day;
};

// The figures of a shift: what the journals of its days, their records and the
// cash drawer say about the money that went through the terminal between its
// start (exclusive) and its end.
//
// Which rows count, and how:
// - A payment taken in the shift, whatever its state with the server (credited,
//   on its way, deferred, refused), is cash taken: its sum received. A goods
//   sale is cash taken: its sum (a sale's row receives nothing of its own).
// - A cancellation filed in the shift is cash handed back once the server has
//   credited it; until then it is listed as awaited and handed nothing back. One
//   still awaited at a close is carried to the next shift, which hands it back
//   when the server credits it. A correction moves the payment to another
//   account and no cash.
// - A row deleted in the shift that was taken in the shift is in neither sum:
//   it left the journal, and its cash went back. One taken in an earlier shift
//   and deleted in this one is cash handed back.
// - A payment the server refused stays cash in the drawer until the cashier
//   deletes it (never sent again) or records handing it back as cash out.
struct ShiftFigures {
    QDateTime since; // invalid: the start of the end's day
    QDateTime until;

    std::vector<OperatorTotals> operators; // by article, then name
    OperatorTotals payments;               // every operator's together
    Tally goods;
    Tally cancellations;        // filed in the shift and credited
    Tally cancellationsAwaited; // filed, the server's answer awaited
    Tally lateCancellations;    // filed in an earlier shift, credited since
    Tally corrections;
    Tally refused;       // refused or failed at the server, still in the journal
    Tally unsent;        // waiting to be sent (refused ones apart)
    Tally deleted;       // every row deleted in the shift
    Tally deletedEarlier; // of those, taken in an earlier shift
    QList<DayRecords::Deletion> deletions;
    QList<DayRecords::Deletion> orphans; // acknowledgements of rows not there
    QList<PendingCancellation> awaited;  // to carry to the next shift

    qint64 openingFloat = 0;
    bool floatEntered = false;
    Tally cashIn;
    Tally cashOut;
    QList<CashDrawer::Entry> movements; // cash in and out, in their order

    qint64 taken() const { return payments.received + goods.cents; }
    qint64 handedBack() const { return cancellations.cents + lateCancellations.cents + deletedEarlier.cents; }
    qint64 expected() const { return openingFloat + taken() + cashIn.cents - cashOut.cents - handedBack(); }

    // What the shift's figures are read from.
    struct Sources {
        QString journalDir; // the terminal directory
        QDateTime since;
        QDateTime until;
        // The opening float when no entry of the shift gives one: what the last
        // close left in the drawer.
        qint64 floatLeft = 0;
        QList<PendingCancellation> carried; // from the last close
        QList<CashDrawer::Entry> drawer;    // every entry of the record
    };
    static ShiftFigures read(const Sources& sources);

    // The cash a deleted row had taken: a sale's sum, a payment's sum received.
    static qint64 cashOf(const DayRecords::Deletion& deletion);

    // "dd.MM.yy hh:mm:ss" (or with a four-digit year) as yyyyMMddhhmmss; 0 when
    // it is no such moment.
    static qint64 momentKey(QStringView text);
    static qint64 momentKey(const QDateTime& moment);
};
