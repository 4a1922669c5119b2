#pragma once

#include <QDate>
#include <QList>
#include <QSet>
#include <QString>

class DayJournal;
class SystemClock;
struct JournalRow;

// What the terminal keeps of a day beside its day file, in records that only
// grow (RecordFile): which payments went out to the server and which came back
// refused ("<day>.snd"), which rows were deleted and which acknowledgements
// named a row that is not there ("<day>.del"), and which cancellation or
// correction requests were filed for which payment ("<day>.req"), and which
// receipts came out of the printer ("<day>.prn"). The day file
// itself stays as other readers of it know it.
class DayRecords {
public:
    // One line of the deletion record.
    struct Deletion {
        enum class Kind { Deleted, OrphanAcknowledgement };
        Kind kind = Kind::Deleted;
        QString at; // "dd.MM.yy hh:mm:ss"
        QString transactionId;
        QString operatorName;
        QString account;
        QString credited;
        QString received;
        QString note;
        QString executedAt; // the row's own time; empty for an acknowledgement
        QString paymentType;
    };
    // A request row filed against a payment, each with its own day.
    struct Request {
        QString requestId;
        QDate requestDay;
        QString paymentId;
        QDate paymentDay;
    };

    DayRecords(const DayJournal& days, SystemClock& clock) : days_(days), clock_(clock) {}

    // The "o" of transaction `id` of `day` is going out (recorded before it does).
    void sent(const QDate& day, const QString& id);
    // The server refused it.
    void refused(const QDate& day, const QString& id);
    // The last of these two that happened to a transaction.
    enum class Moment { None, Sent, Refused };
    Moment lastMoment(const QDate& day, const QString& id) const;
    // It went out, and no refusal came after the last time it did: the server
    // may hold it, whatever the row says.
    bool mayHaveReachedServer(const QDate& day, const QString& id) const {
        return lastMoment(day, id) == Moment::Sent;
    }

    // A row removed from the journal of `day`.
    void deleted(const QDate& day, const JournalRow& row);
    // An acknowledgement of a transaction no journal holds, on the day it came.
    void orphanAcknowledgement(const QDate& day, const QString& id);
    QList<Deletion> deletions(const QDate& day) const;

    // What a day's records say, read from their files: the transactions whose
    // last moment was a refusal, and the deletion record's lines.
    static QSet<QString> refusedIn(const QString& transmissionPath);
    static QList<Deletion> deletionsIn(const QString& deletionsPath);

    // A request filed (recorded on the request's day).
    void requestFiled(const Request& request);
    QList<Request> requestsFiled(const QDate& day) const;

    // The receipt of transaction `id` of `day` was printed (recorded once the
    // printer has taken it, so a failed print does not count).
    void printed(const QDate& day, const QString& id);
    // How many times it was printed.
    int timesPrinted(const QDate& day, const QString& id) const;

private:
    QString now() const;

    const DayJournal& days_;
    SystemClock& clock_;
};
