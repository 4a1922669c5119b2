#include "payments/WaitingPayments.h"

#include "payments/DayFile.h"
#include "payments/DayJournal.h"
#include "payments/PaymentJournal.h"
#include "platform/FileIo.h"

namespace WaitingPayments {

QList<Day> find(const DayJournal& days, const QDate& today, int daysBefore) {
    QList<Day> found;
    for (int back = 0; back <= daysBefore; ++back) {
        const QDate date = today.addDays(-back);
        const QString path = days.dayFilePath(date);
        QByteArray bytes;
        DayFile::Table table;
        if (path.isEmpty() || !FileIo::readBytes(path, &bytes) || !DayFile::decode(bytes, &table))
            continue;
        Day day{date, {}};
        // Between the header rows and the totals row.
        for (size_t r = PaymentJournal::FirstDataRow; r + 1 < table.rows.size(); ++r) {
            const DayFile::Table::Row& row = table.rows[r];
            if (awaitsSending(SendFlagText::read(row[PaymentJournal::SendFlag])) &&
                !row[PaymentJournal::TransactionId].isEmpty())
                day.transactionIds << row[PaymentJournal::TransactionId];
        }
        if (!day.transactionIds.isEmpty())
            found << day;
    }
    return found;
}

int count(const QList<Day>& found) {
    int n = 0;
    for (const Day& d : found)
        n += int(d.transactionIds.size());
    return n;
}

int countBefore(const QList<Day>& found, const QDate& today) {
    int n = 0;
    for (const Day& d : found)
        if (d.date < today)
            n += int(d.transactionIds.size());
    return n;
}

QString question(const QList<Day>& found, const QDate& today) {
    return QStringLiteral("Неотправленные платежи: %1 (из них за прошлые дни: %2). Отправить сейчас?")
        .arg(count(found))
        .arg(countBefore(found, today));
}

} // namespace WaitingPayments
