#pragma once

#include <QSet>
#include <QString>

class PaymentJournal;
class Session;
class SystemClock;

// Makes the transaction ids of payments, cancellation requests and goods sales:
// terminal + "_" + today's date "yymmdd" + the time "hhnnss". Today's, not the
// login's: after midnight the login's date would name yesterday, and an id of a
// payment made yesterday in an earlier run at the same time of day would come
// again, which the server takes for that payment sent twice. An id already issued
// in this run or standing in the journal shown is never issued again: the next
// second that gives a free id is taken instead.
class TransactionIds {
public:
    TransactionIds(const Session& session, SystemClock& clock, const PaymentJournal& journal)
        : session_(session), clock_(clock), journal_(journal) {}

    QString next();

private:
    const Session& session_;
    SystemClock& clock_;
    const PaymentJournal& journal_;
    QSet<QString> issued_;
};
