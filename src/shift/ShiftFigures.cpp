#include "shift/ShiftFigures.h"

#include "payments/DayFile.h"
#include "payments/DayJournal.h"
#include "payments/PaymentJournal.h"
#include "payments/PaymentState.h"
#include "platform/FileIo.h"
#include "platform/Money.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

using Col = PaymentJournal::Column;

qint64 centsOf(QStringView text) {
    const std::optional<Decimal> value = Decimal::read(text.trimmed(), Decimal::Form::Figure);
    return value ? Money::toCents(*value) : 0;
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Digits at `at` as a number; -1 when any is not a digit.
int digitsAt(QStringView text, qsizetype at, qsizetype count) {
    if (at + count > text.size())
        return -1;
    int value = 0;
    for (qsizetype i = at; i < at + count; ++i) {
        if (!isDigit(text[i]))
            return -1;
        value = value * 10 + (text[i].unicode() - '0');
    }
    return value;
}

qint64 key(int year, int month, int day, int hour, int minute, int second) {
    return ((((qint64(year) * 100 + month) * 100 + day) * 100 + hour) * 100 + minute) * 100 + second;
}

bool isCancellationDone(PaymentStatus s) {
    return s == PaymentStatus::Credited || s == PaymentStatus::Settled || s == PaymentStatus::Returned;
}

bool isFailed(PaymentStatus s) {
    return s == PaymentStatus::Failed || s == PaymentStatus::Returned;
}

enum class RowKind { Payment, Goods, Cancellation, Correction };

RowKind kindOf(const DayFile::Table::Row& row) {
    // A request carries the payment's sum negated.
    if (row[Col::Credited].trimmed().startsWith(QLatin1Char('-')))
        return row[Col::Account].contains(QLatin1Char('+')) ? RowKind::Correction : RowKind::Cancellation;
    return row[Col::PaymentType] == QLatin1String("T") ? RowKind::Goods : RowKind::Payment;
}

} // namespace

qint64 ShiftFigures::cashOf(const DayRecords::Deletion& d) {
    return d.paymentType == QLatin1String("T") ? centsOf(d.credited) : centsOf(d.received);
}

qint64 ShiftFigures::momentKey(QStringView text) {
    // dd.MM.yy hh:mm:ss or dd.MM.yyyy hh:mm:ss
    const int day = digitsAt(text, 0, 2);
    const int month = digitsAt(text, 3, 2);
    if (day < 1 || month < 1 || month > 12 || text.size() < 17 || text[2] != u'.' || text[5] != u'.')
        return 0;
    qsizetype at = 6;
    int year = digitsAt(text, at, 4);
    if (year >= 0 && text.size() > at + 4 && text[at + 4] == u' ') {
        at += 5;
    } else {
        year = digitsAt(text, at, 2);
        if (year < 0 || text.size() <= at + 2 || text[at + 2] != u' ')
            return 0;
        year += 2000;
        at += 3;
    }
    const int hour = digitsAt(text, at, 2);
    const int minute = digitsAt(text, at + 3, 2);
    const int second = digitsAt(text, at + 6, 2);
    if (hour < 0 || minute < 0 || second < 0 || text[at + 2] != u':' || text[at + 5] != u':')
        return 0;
    return key(year, month, day, hour, minute, second);
}

qint64 ShiftFigures::momentKey(const QDateTime& moment) {
    const QDate d = moment.date();
    const QTime t = moment.time();
    return key(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

ShiftFigures ShiftFigures::read(const Sources& s) {
    ShiftFigures f;
    f.since = s.since;
    f.until = s.until;
    const QDate firstDay = s.since.isValid() ? s.since.date() : s.until.date();
    // A row of the start's own second was counted by the close that started
    // this shift; a shift without a close before it starts with its day.
    const qint64 from = s.since.isValid() ? momentKey(s.since) : momentKey(QDateTime(firstDay, QTime(0, 0))) - 1;
    const qint64 to = momentKey(s.until);
    const auto inShift = [&](qint64 k) { return k > from && k <= to; };

    QHash<QString, int> operatorIndex;
    QHash<QString, QDate> carriedOn;
    for (const PendingCancellation& p : s.carried)
        carriedOn.insert(p.transactionId, p.day);

    DayFile::Table table; // one table for every day: its cells keep their memory
    QByteArray bytes;
    QList<QDate> daysRead;
    const auto readDay = [&](const QDate& day) -> bool {
        table.rows.clear();
        return FileIo::readBytes(s.journalDir + DayJournal::fileName(day), &bytes) &&
               DayFile::decode(bytes, &table);
    };

    for (QDate day = firstDay; day <= s.until.date(); day = day.addDays(1)) {
        daysRead << day;
        if (!readDay(day))
            continue;
        const QSet<QString> refusedIds = DayRecords::refusedIn(
            s.journalDir + DayJournal::recordFileName(day, DayJournal::Record::Transmission));
        const int end = int(table.rows.size()) - 1; // the totals row
        for (int r = PaymentJournal::FirstDataRow; r < end; ++r) {
            const DayFile::Table::Row& row = table.rows[size_t(r)];
            const QString& id = row[Col::TransactionId];
            if (id.isEmpty())
                continue;
            const PaymentStatus status = classifyStatus(row[Col::Status]);
            const RowKind kind = kindOf(row);
            if (kind == RowKind::Cancellation && carriedOn.contains(id)) {
                // Filed before this shift, answered in it or still awaited.
                if (isCancellationDone(status))
                    f.lateCancellations.add(-centsOf(row[Col::Received]));
                else if (status != PaymentStatus::Failed)
                    f.awaited << PendingCancellation{id, day};
                carriedOn.remove(id);
                continue;
            }
            if (!inShift(momentKey(row[Col::ExecutedAt])))
                continue;
            const qint64 credited = centsOf(row[Col::Credited]);
            const qint64 received = centsOf(row[Col::Received]);
            switch (kind) {
            case RowKind::Cancellation:
                if (isCancellationDone(status)) {
                    f.cancellations.add(-received);
                } else if (status != PaymentStatus::Failed) {
                    f.cancellationsAwaited.add(-received);
                    f.awaited << PendingCancellation{id, day};
                }
                continue;
            case RowKind::Correction:
                f.corrections.add(-credited);
                continue;
            case RowKind::Goods:
                f.goods.add(credited);
                break;
            case RowKind::Payment: {
                const QString opKey = row[Col::Article] + QLatin1Char('\n') + row[Col::OperatorName];
                auto it = operatorIndex.constFind(opKey);
                if (it == operatorIndex.cend()) {
                    it = operatorIndex.insert(opKey, int(f.operators.size()));
                    f.operators.push_back(OperatorTotals{row[Col::Article], row[Col::OperatorName]});
                }
                OperatorTotals& op = f.operators[size_t(*it)];
                ++op.count;
                op.received += received;
                op.credited += credited;
                ++f.payments.count;
                f.payments.received += received;
                f.payments.credited += credited;
                break;
            }
            }
            const qint64 cash = kind == RowKind::Goods ? credited : received;
            const bool waiting = awaitsSending(SendFlagText::read(row[Col::SendFlag]));
            if ((waiting && refusedIds.contains(id)) || isFailed(status))
                f.refused.add(cash);
            else if (waiting)
                f.unsent.add(cash);
        }
    }

    // Cancellations carried from a close whose day is not among this shift's.
    for (auto it = carriedOn.cbegin(); it != carriedOn.cend(); ++it) {
        if (!readDay(it.value()))
            continue;
        for (const DayFile::Table::Row& row : table.rows) {
            if (row[Col::TransactionId] != it.key())
                continue;
            const PaymentStatus status = classifyStatus(row[Col::Status]);
            if (isCancellationDone(status))
                f.lateCancellations.add(-centsOf(row[Col::Received]));
            else if (status != PaymentStatus::Failed)
                f.awaited << PendingCancellation{it.key(), it.value()};
            break;
        }
    }

    // Deletions made in the shift, whichever day their rows were of: the days
    // read, and any other day's record written to since the shift began.
    QStringList deletionFiles;
    QSet<QString> named;
    for (const QDate& day : daysRead) {
        named.insert(DayJournal::recordFileName(day, DayJournal::Record::Deletions));
        deletionFiles << s.journalDir + DayJournal::recordFileName(day, DayJournal::Record::Deletions);
    }
    const QString pattern =
        QStringLiteral("*.") + QFileInfo(DayJournal::recordFileName(firstDay, DayJournal::Record::Deletions)).suffix();
    for (const QFileInfo& info : QDir(s.journalDir).entryInfoList({pattern}, QDir::Files)) {
        if (named.contains(info.fileName()))
            continue;
        if (!s.since.isValid() || info.lastModified() >= s.since.addSecs(-1))
            deletionFiles << info.filePath();
    }
    for (const QString& path : deletionFiles) {
        for (const DayRecords::Deletion& d : DayRecords::deletionsIn(path)) {
            if (!inShift(momentKey(d.at)))
                continue;
            if (d.kind == DayRecords::Deletion::Kind::OrphanAcknowledgement) {
                f.orphans << d;
                continue;
            }
            const qint64 cash = cashOf(d);
            f.deletions << d;
            f.deleted.add(cash);
            const qint64 taken = momentKey(d.executedAt);
            if (taken != 0 && !inShift(taken) && taken <= from)
                f.deletedEarlier.add(cash);
        }
    }
    std::sort(f.deletions.begin(), f.deletions.end(), [](const auto& a, const auto& b) {
        return momentKey(a.at) < momentKey(b.at);
    });

    std::sort(f.operators.begin(), f.operators.end(), [](const OperatorTotals& a, const OperatorTotals& b) {
        return a.article != b.article ? a.article < b.article : a.name < b.name;
    });

    // The drawer: the shift's own opening float, else what the last close left.
    f.openingFloat = s.floatLeft;
    for (const CashDrawer::Entry& e : CashDrawer::between(s.drawer, s.since, s.until)) {
        if (!s.since.isValid() && e.at.date() != s.until.date())
            continue;
        switch (e.kind) {
        case CashDrawer::Entry::Kind::OpeningFloat:
            f.openingFloat = e.cents;
            f.floatEntered = true;
            break;
        case CashDrawer::Entry::Kind::CashIn:
            f.cashIn.add(e.cents);
            f.movements << e;
            break;
        case CashDrawer::Entry::Kind::CashOut:
            f.cashOut.add(e.cents);
            f.movements << e;
            break;
        }
    }
    return f;
}
