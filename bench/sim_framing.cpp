// How the simulator's hot paths scale: cutting frames out of the byte stream, and
// building the heaviest file reply (a year of statistics from the invented history).
#include "sim/FrameBuffer.h"
#include "sim/Ledger.h"
#include "sim/Reports.h"

#include <QDateTime>

#include <benchmark/benchmark.h>

namespace {

// One large message trickling in 16 bytes at a time: linear only if the terminator
// search resumes where it stopped instead of rescanning the whole buffer.
void BM_SimLargeMessageInSmallReads(benchmark::State& state) {
    QByteArray stream(state.range(0), 'x');
    stream += "$k$";
    for (auto _ : state) {
        sim::FrameBuffer frames;
        QByteArray message;
        for (qsizetype at = 0; at < stream.size(); at += 16) {
            frames.append(QByteArrayView(stream.constData() + at, qMin<qsizetype>(16, stream.size() - at)));
            while (frames.next(message))
                benchmark::DoNotOptimize(message);
        }
    }
    state.SetBytesProcessed(state.iterations() * stream.size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SimLargeMessageInSmallReads)->RangeMultiplier(4)->Range(1 << 12, 1 << 20)->Complexity();

// Many small messages delivered in one read: linear only if consumed bytes are dropped in bulk.
void BM_SimManyMessagesInOneRead(benchmark::State& state) {
    QByteArray stream;
    for (int i = 0; i < state.range(0); ++i)
        stream += "UZ101_260615103001$k$";
    for (auto _ : state) {
        sim::FrameBuffer frames;
        frames.append(stream);
        QByteArray message;
        while (frames.next(message))
            benchmark::DoNotOptimize(message);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SimManyMessagesInOneRead)->RangeMultiplier(4)->Range(1 << 8, 1 << 16)->Complexity();

void BM_SimYearStatistics(benchmark::State& state) {
    const sim::Ledger ledger;
    const QHash<QString, int> sold;
    const sim::Reports reports(ledger, QDateTime(QDate(2026, 12, 31), QTime(20, 0)), sold);
    for (auto _ : state)
        benchmark::DoNotOptimize(reports.yearFile(QStringLiteral("101"), QStringLiteral("26")));
}
BENCHMARK(BM_SimYearStatistics)->Unit(benchmark::kMillisecond);

} // namespace
