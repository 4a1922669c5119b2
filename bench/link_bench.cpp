// The receive path: a large file reply arriving in many small reads must cost
// about as much as the same reply in one read, and cutting frames must run near
// the speed of a plain scan for the terminator.
#include "QuietDialogs.h"
#include "core/Environment.h"
#include "core/Session.h"
#include "link/Framing.h"
#include "link/ServerLink.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace {

QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "link_bench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication a(argc, argv);
    return a;
}

// "f" + name + "/" + content of about 10 MiB of statement lines, framed.
QByteArray fileReply() {
    QByteArray content;
    const QByteArray line = "09.12.2026 14:05:09#1101#901234567#98.00#100.00#101_261209140509#\r\n";
    while (content.size() < 10 * 1024 * 1024)
        content += line;
    return "f9101#12#9/" + content + "$k$";
}

void deliver(benchmark::State& state, qsizetype readSize) {
    app();
    const Environment env(QStringLiteral("/nonexistent/"));
    Session session;
    QuietDialogs dialogs;
    qsizetype bytes = 0;
    const QByteArray wire = fileReply();
    // The reads as the socket would hand them over.
    QList<QByteArray> reads;
    for (qsizetype at = 0; at < wire.size(); at += readSize)
        reads.append(wire.mid(at, readSize));
    for (auto _ : state) {
        // A fresh link each time: its protocol log keeps every chunk it received.
        state.PauseTiming();
        auto link = std::make_unique<ServerLink>(env, session, dialogs);
        link->setHandler(QLatin1Char('f'), [&](const QString& m) { bytes += m.size(); });
        state.ResumeTiming();
        for (const QByteArray& read : reads)
            link->receive(read);
        state.PauseTiming();
        link.reset();
        state.ResumeTiming();
    }
    benchmark::DoNotOptimize(bytes);
    state.SetBytesProcessed(state.iterations() * wire.size());
}

void BM_FileReplyOneRead(benchmark::State& state) {
    deliver(state, 64 * 1024 * 1024);
}
void BM_FileReplyKiBReads(benchmark::State& state) {
    deliver(state, 1024);
}

// Many status answers back to back, as a busy pass delivers them.
QByteArray manyFrames() {
    QByteArray wire;
    for (int i = 0; wire.size() < 8 * 1024 * 1024; ++i)
        wire += "Z1#101_2612091" + QByteArray::number(100000 + i % 900000) + "$k$";
    return wire;
}

void BM_FrameSplitter(benchmark::State& state) {
    const QByteArray wire = manyFrames();
    for (auto _ : state) {
        FrameSplitter s;
        s.append(wire);
        QByteArray m;
        qsizetype n = 0;
        while (s.next(&m))
            ++n;
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(state.iterations() * wire.size());
}

// The floor: finding every terminator with memmem and nothing else.
void BM_MemmemScan(benchmark::State& state) {
    const QByteArray wire = manyFrames();
    for (auto _ : state) {
        const char* p = wire.constData();
        const char* end = p + wire.size();
        qsizetype n = 0;
        while (const void* hit = memmem(p, size_t(end - p), "$k$", 3)) {
            ++n;
            p = static_cast<const char*>(hit) + 3;
        }
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(state.iterations() * wire.size());
}

} // namespace

BENCHMARK(BM_FileReplyOneRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileReplyKiBReads)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameSplitter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemmemScan)->Unit(benchmark::kMillisecond);
