// After a login the terminal looks through today's and the last seven days'
// journals for payments left unsent. Eight busy days must take well under a second.
#include "QuietDialogs.h"
#include "payments/DayJournal.h"
#include "payments/PaymentJournal.h"
#include "payments/WaitingPayments.h"
#include "platform/TextCodec.h"
#include "terminal/Terminal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPayments = 10000;
const QDate kToday(2026, 12, 10);

// A day of kPayments rows; every hundredth is still waiting to be sent.
QByteArray busyDay(const QDate& date) {
    QString text = QStringLiteral("11,%1\r\n").arg(kPayments + 5);
    for (int r = 2; r < kPayments + 2; ++r) {
        const int i = r - 2;
        const QString sum = QStringLiteral("%1.%2").arg(10 + i % 490).arg(i % 100, 2, 10, QLatin1Char('0'));
        const QString cells[11] = {
            date.toString(QStringLiteral("dd.MM.yy")) + QStringLiteral(" 10:00:00"),
            QStringLiteral(" Связь-Плюс"),
            QStringLiteral("92%1").arg(7000000 + i),
            sum,
            sum,
            QStringLiteral("101_%1%2").arg(date.toString(QStringLiteral("yyMMdd"))).arg(i),
            QStringLiteral("Зачислено"),
            QStringLiteral("7"),
            QStringLiteral("20"),
            QStringLiteral("1"),
            i % 100 == 0 ? QStringLiteral("0") : QStringLiteral("2")};
        for (int c = 0; c < 11; ++c)
            text += QStringLiteral("%1,%2,%3\r\n").arg(c).arg(r).arg(cells[c]);
    }
    return TextCodec::toCp1251(text);
}

struct Fixture {
    Fixture() : terminal(QDir(dir.path()).absolutePath() + QLatin1Char('/'), quiet.seams()) {
        terminal.session().setJournalDir(QDir(dir.path()).absolutePath() + QLatin1Char('/'));
        for (int back = 0; back <= 7; ++back) {
            const QDate date = kToday.addDays(-back);
            QFile f(terminal.days().dayFilePath(date));
            f.open(QIODevice::WriteOnly);
            f.write(busyDay(date));
        }
    }
    QTemporaryDir dir;
    QuietSeams quiet;
    Terminal terminal;
};

void BM_FindWaitingInEightBusyDays(benchmark::State& state) {
    static Fixture f;
    int found = 0;
    for (auto _ : state)
        found = WaitingPayments::count(WaitingPayments::find(f.terminal.days(), kToday, 7));
    if (found != 8 * kPayments / 100)
        state.SkipWithError("wrong count of waiting payments");
    state.counters["waiting"] = found;
}
BENCHMARK(BM_FindWaitingInEightBusyDays)->Unit(benchmark::kMillisecond);

} // namespace
