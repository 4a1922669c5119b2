#pragma once

#include <QSet>
#include <QString>

struct AppContext;
class PaymentJournal;

// Makes the transaction ids of payments, cancellation requests and goods sales:
// terminal + "_" + today's date "yymmdd" + the time "hhnnss". Today's, not the
// login's: after midnight the login's date would name yesterday, and an id of a
// payment made yesterday in an earlier run at the same time of day would come
// again, which the server takes for that payment sent twice. An id already issued
// in this run or standing in the journal shown is never issued again: the next
// second that gives a free id is taken instead.
class TransactionIds {
public:
    TransactionIds(const AppContext& ctx, const PaymentJournal& journal) : ctx_(ctx), journal_(journal) {}

    QString next();

private:
    const AppContext& ctx_;
    const PaymentJournal& journal_;
    QSet<QString> issued_;
};
