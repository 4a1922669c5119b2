// The figures of a week-long shift (seven day files of 10 000 payments each)
// beside reading the same files' bytes, to show what the figures cost over the
// I/O.
#include "payments/DayJournal.h"
#include "payments/PaymentJournal.h"
#include "platform/RecordFile.h"
#include "platform/TextCodec.h"
#include "shift/ShiftFigures.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kDays = 7;
constexpr int kPayments = 10000;
const QDate kFirstDay(2026, 12, 3);

QString two(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// A busy day, built as a day file (faster than inserting row by row):
// payments of four operators, one in seven deferred and unsent, a credited
// cancellation every hundredth row, a goods sale every fiftieth.
QByteArray busyDay(const QDate& date) {
    const char* const articles[] = {"500", "700", "310", "120"};
    const QStringList names = {QStringLiteral("Орбита Мобайл"), QStringLiteral("Водоканал"),
                               QStringLiteral("Интернет Дом"), QStringLiteral("Налоговая служба")};
    const QString day = date.toString(QStringLiteral("dd.MM.yy"));
    QString text = QStringLiteral("11,%1\r\n").arg(kPayments + 5);
    for (int i = 0; i < kPayments; ++i) {
        const QString received = QStringLiteral("%1.%2").arg(10 + i % 490).arg(two(i % 100));
        QString cells[11] = {
            QStringLiteral("%1 %2:%3:%4").arg(day, two(20 - i / 3600 % 12), two(59 - i / 60 % 60), two(59 - i % 60)),
            names[i % 4],
            QStringLiteral("92%1").arg(7000000 + i),
            received,
            received,
            QStringLiteral("101_%1%2").arg(date.toString(QStringLiteral("yyMMdd"))).arg(i),
            QStringLiteral("Зачислено"),
            QString::fromLatin1(articles[i % 4]),
            QStringLiteral("1"),
            QStringLiteral("1"),
            QStringLiteral("2")};
        if (i % 100 == 99) {
            cells[3] = QLatin1Char('-') + received;
            cells[4] = cells[3];
        } else if (i % 50 == 49) {
            cells[1] = QStringLiteral("Бумага");
            cells[2] = QStringLiteral("&4001&");
            cells[4] = QStringLiteral("0");
            cells[7] = QStringLiteral("4001");
            cells[8] = QStringLiteral("T");
        } else if (i % 7 == 3) {
            cells[6] = QStringLiteral("отложено");
            cells[9] = QString();
            cells[10] = QStringLiteral("0");
        }
        for (int c = 0; c < 11; ++c)
            text += QStringLiteral("%1,%2,%3\r\n").arg(c).arg(i + 2).arg(cells[c]);
    }
    PaymentJournal journal;
    journal.fromDayFile(TextCodec::toCp1251(text));
    journal.resetHeaders();
    return journal.toDayFile();
}

struct Week {
    Week() : path(QDir(dir.path()).absolutePath() + QLatin1Char('/')) {
        for (int d = 0; d < kDays; ++d) {
            const QDate date = kFirstDay.addDays(d);
            QFile f(path + DayJournal::fileName(date));
            f.open(QIODevice::WriteOnly);
            f.write(busyDay(date));
            // A few sidecar records, as a real day has.
            for (int i = 0; i < 20; ++i)
                RecordFile::append(path + DayJournal::recordFileName(date, DayJournal::Record::Transmission),
                                   {date.toString(QStringLiteral("dd.MM.yy 09:00:00")), QStringLiteral("refused"),
                                    QStringLiteral("101_%1%2").arg(date.toString(QStringLiteral("yyMMdd"))).arg(i)});
        }
        sources.journalDir = path;
        sources.since = QDateTime(kFirstDay, QTime(7, 0));
        sources.until = QDateTime(kFirstDay.addDays(kDays - 1), QTime(23, 0));
    }
    QTemporaryDir dir;
    QString path;
    ShiftFigures::Sources sources;
};

Week& week() {
    static Week w;
    return w;
}

void BM_ShiftFiguresOfAWeek(benchmark::State& state) {
    Week& w = week();
    for (auto _ : state) {
        const ShiftFigures f = ShiftFigures::read(w.sources);
        benchmark::DoNotOptimize(f.payments.received);
    }
    const ShiftFigures f = ShiftFigures::read(w.sources);
    state.counters["payments"] = f.payments.count;
}
BENCHMARK(BM_ShiftFiguresOfAWeek)->Unit(benchmark::kMillisecond);

// The floor: the same seven files read as bytes, nothing parsed.
void BM_ReadTheWeeksFiles(benchmark::State& state) {
    Week& w = week();
    for (auto _ : state) {
        qint64 total = 0;
        for (int d = 0; d < kDays; ++d) {
            QFile f(w.path + DayJournal::fileName(kFirstDay.addDays(d)));
            f.open(QIODevice::ReadOnly);
            total += f.readAll().size();
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadTheWeeksFiles)->Unit(benchmark::kMillisecond);

} // namespace
