// Saving and loading a busy day's journal next to a plain write and read of the
// same bytes, to show what the day file format and the table cost over the I/O.
#include "QuietDialogs.h"
#include "payments/PaymentJournal.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"
#include "terminal/Terminal.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPayments = 10000;

// A day with kPayments rows, built as a day file (faster than inserting row by row).
QByteArray busyDay() {
    const QStringList operators = {QStringLiteral(" Связь-Плюс"), QStringLiteral(" Водоканал"),
                                   QStringLiteral(" Интернет Дом"), QStringLiteral(" Налоговая служба")};
    const QStringList notes = {QStringLiteral("Зачислено"), QStringLiteral("в процессе"),
                               QStringLiteral("отложено"), QStringLiteral("Ошибка")};
    QString text = QStringLiteral("11,%1\r\n").arg(kPayments + 5);
    for (int r = 2; r < kPayments + 2; ++r) {
        const int i = r - 2;
        const QString sum = QStringLiteral("%1.%2").arg(10 + i % 490).arg(i % 100, 2, 10, QLatin1Char('0'));
        const QString cells[11] = {QStringLiteral("09.12.26 %1:%2:%3")
                                       .arg(8 + i / 3600 % 12, 2, 10, QLatin1Char('0'))
                                       .arg(i / 60 % 60, 2, 10, QLatin1Char('0'))
                                       .arg(i % 60, 2, 10, QLatin1Char('0')),
                                   operators[i % operators.size()],
                                   QStringLiteral("92%1").arg(7000000 + i),
                                   sum,
                                   sum,
                                   QStringLiteral("000_261209%1").arg(100000 + i),
                                   notes[i % notes.size()],
                                   QString::number(7 + i % 5),
                                   QStringLiteral("20"),
                                   QStringLiteral("1"),
                                   QStringLiteral("2")};
        for (int c = 0; c < 11; ++c)
            text += QStringLiteral("%1,%2,%3\r\n").arg(c).arg(r).arg(cells[c]);
    }
    PaymentJournal journal;
    journal.fromDayFile(TextCodec::toCp1251(text));
    journal.resetHeaders();
    return journal.toDayFile();
}

struct Fixture {
    Fixture() : terminal(QDir(dir.path()).absolutePath() + QLatin1Char('/'), quiet.seams()) {
        terminal.session().setJournalDir(QDir(dir.path()).absolutePath() + QLatin1Char('/'));
        terminal.days().showDay(QDate(2026, 12, 9));
        bytes = busyDay();
        terminal.journal().fromDayFile(bytes);
        terminal.journal().resetHeaders();
        plainPath = terminal.session().journalDir() + QStringLiteral("plain.dat");
        terminal.days().saveDay();
        QFile f(plainPath);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    QTemporaryDir dir;
    QuietSeams quiet;
    Terminal terminal;
    QByteArray bytes;
    QString plainPath;
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_SaveDay(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state)
        f.terminal.days().saveDay();
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}

void BM_PlainWrite(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        QFile file(f.plainPath);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(f.bytes);
        file.close();
    }
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}

void BM_LoadDay(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state)
        f.terminal.days().loadDay();
    if (f.terminal.journal().rowCount() != kPayments + 5)
        state.SkipWithError("the day did not load");
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}

void BM_PlainRead(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        QFile file(f.plainPath);
        file.open(QIODevice::ReadOnly);
        QByteArray read = file.readAll();
        benchmark::DoNotOptimize(read.data());
    }
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}

// The least a load can do: read the same bytes, decode them from cp1251 and cut
// them into the cell strings (110 000 for this day). loadDay is measured against it.
void BM_LoadFloor(benchmark::State& state) {
    Fixture& f = fixture();
    const QString path = f.terminal.days().dayFilePath();
    size_t cells = 0;
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QString text = TextCodec::fromCp1251(file.readAll());
        std::vector<QString> out;
        out.reserve(kPayments * 11 + 64);
        qsizetype at = 0;
        while (at < text.size()) {
            qsizetype end = text.indexOf(QLatin1Char('\r'), at);
            if (end < 0)
                end = text.size();
            const qsizetype c1 = text.indexOf(QLatin1Char(','), at);
            const qsizetype c2 = c1 < 0 || c1 > end ? -1 : text.indexOf(QLatin1Char(','), c1 + 1);
            if (c2 >= 0 && c2 < end)
                out.push_back(text.mid(c2 + 1, end - c2 - 1));
            at = end + 2;
        }
        cells = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["cells"] = double(cells);
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}

// The two halves without the disk.
void BM_ToDayFile(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        QByteArray out = f.terminal.journal().toDayFile();
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_FromDayFile(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state)
        f.terminal.journal().fromDayFile(f.bytes);
}

// A load into a journal of its own, whose cells have no memory to reuse yet
// (the first load of a run), the journal going away afterwards as the floor's
// strings do.
void BM_FromDayFileFresh(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        PaymentJournal journal;
        journal.fromDayFile(f.bytes);
        benchmark::DoNotOptimize(journal.rowCount());
    }
}

} // namespace

BENCHMARK(BM_SaveDay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToDayFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FromDayFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FromDayFileFresh)->Unit(benchmark::kMillisecond);
