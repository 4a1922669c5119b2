#include "payments/DayRecords.h"

#include "payments/DayJournal.h"
#include "payments/PaymentJournal.h"
#include "platform/AppError.h"
#include "platform/RecordFile.h"
#include "platform/SystemClock.h"

#include <QHash>

namespace {

const QString kSent = QStringLiteral("sent");
const QString kRefused = QStringLiteral("refused");
const QString kDeleted = QStringLiteral("deleted");
const QString kOrphan = QStringLiteral("orphan");
const QString kPrinted = QStringLiteral("printed");
const QString kDayFormat = QStringLiteral("yyyyMMdd");

} // namespace

QString DayRecords::now() const {
    return clock_.now().toString(QStringLiteral("dd.MM.yy hh:mm:ss"));
}

void DayRecords::sent(const QDate& day, const QString& id) {
    RecordFile::append(days_.recordPath(day, DayJournal::Record::Transmission), {now(), kSent, id});
}

void DayRecords::refused(const QDate& day, const QString& id) {
    RecordFile::append(days_.recordPath(day, DayJournal::Record::Transmission), {now(), kRefused, id});
}

DayRecords::Moment DayRecords::lastMoment(const QDate& day, const QString& id) const {
    Moment last = Moment::None;
    for (const QStringList& e : RecordFile::read(days_.recordPath(day, DayJournal::Record::Transmission))) {
        if (e.size() < 3 || e[2] != id)
            continue;
        if (e[1] == kSent)
            last = Moment::Sent;
        else if (e[1] == kRefused)
            last = Moment::Refused;
    }
    return last;
}

void DayRecords::deleted(const QDate& day, const JournalRow& row) {
    RecordFile::append(days_.recordPath(day, DayJournal::Record::Deletions),
                       {now(), kDeleted, row.transactionId, row.operatorName, row.account, row.credited,
                        row.received, row.note, row.executedAt, row.paymentType});
}

void DayRecords::orphanAcknowledgement(const QDate& day, const QString& id) {
    RecordFile::append(days_.recordPath(day, DayJournal::Record::Deletions),
                       {now(), kOrphan, id, QString(), QString(), QString(), QString(), QString()});
}

QList<DayRecords::Deletion> DayRecords::deletions(const QDate& day) const {
    return deletionsIn(days_.recordPath(day, DayJournal::Record::Deletions));
}

QList<DayRecords::Deletion> DayRecords::deletionsIn(const QString& deletionsPath) {
    QList<Deletion> out;
    for (const QStringList& e : RecordFile::read(deletionsPath)) {
        if (e.size() < 8 || (e[1] != kDeleted && e[1] != kOrphan))
            continue;
        out << Deletion{e[1] == kDeleted ? Deletion::Kind::Deleted : Deletion::Kind::OrphanAcknowledgement,
                        e[0], e[2], e[3], e[4], e[5], e[6], e[7], e.value(8), e.value(9)};
    }
    return out;
}

QSet<QString> DayRecords::refusedIn(const QString& transmissionPath) {
    QHash<QString, bool> refusedLast;
    for (const QStringList& e : RecordFile::read(transmissionPath)) {
        if (e.size() >= 3 && (e[1] == kSent || e[1] == kRefused))
            refusedLast.insert(e[2], e[1] == kRefused);
    }
    QSet<QString> out;
    for (auto it = refusedLast.cbegin(); it != refusedLast.cend(); ++it)
        if (it.value())
            out.insert(it.key());
    return out;
}

void DayRecords::requestFiled(const Request& r) {
    RecordFile::append(days_.recordPath(r.requestDay, DayJournal::Record::Requests),
                       {now(), r.requestId, r.paymentId, r.paymentDay.toString(kDayFormat)});
}

QList<DayRecords::Request> DayRecords::requestsFiled(const QDate& day) const {
    QList<Request> out;
    for (const QStringList& e : RecordFile::read(days_.recordPath(day, DayJournal::Record::Requests))) {
        if (e.size() < 4)
            continue;
        const QDate paymentDay = QDate::fromString(e[3], kDayFormat);
        if (paymentDay.isValid())
            out << Request{e[1], day, e[2], paymentDay};
    }
    return out;
}

void DayRecords::printed(const QDate& day, const QString& id) {
    RecordFile::append(days_.recordPath(day, DayJournal::Record::Prints), {now(), kPrinted, id});
}

int DayRecords::timesPrinted(const QDate& day, const QString& id) const {
    int times = 0;
    for (const QStringList& e : RecordFile::read(days_.recordPath(day, DayJournal::Record::Prints)))
        times += e.size() >= 3 && e[1] == kPrinted && e[2] == id;
    return times;
}
