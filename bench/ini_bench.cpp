// Reading many keys from a large ini file: each read must not rescan the file.
#include "core/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// An ini file of `lines` lines: sections of 20 keys each.
QString writeIni(const QTemporaryDir& dir, int lines) {
    const QString path = dir.filePath(QStringLiteral("big.ini"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    int written = 0;
    for (int s = 0; written < lines; ++s) {
        f.write(QByteArray("[section") + QByteArray::number(s) + "]\r\n");
        ++written;
        for (int k = 0; k < 19 && written < lines; ++k, ++written)
            f.write(QByteArray("key") + QByteArray::number(k) + "=value " + QByteArray::number(s * 100 + k) + "\r\n");
    }
    return path;
}

void BM_ReadKeys(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = writeIni(dir, int(state.range(0)));
    const int reads = int(state.range(1));
    for (auto _ : state) {
        IniFile ini(path);
        int found = 0;
        for (int i = 0; i < reads; ++i) {
            const QString v = ini.readString(QStringLiteral("section%1").arg(i % 100),
                                             QStringLiteral("key%1").arg(i % 19), QString());
            found += v.isEmpty() ? 0 : 1;
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * reads);
}

} // namespace

// 1 000 keys from 2 000 lines, and the same with twice the file and twice the keys:
// linear reading shows as a roughly constant time per key.
BENCHMARK(BM_ReadKeys)->Args({2000, 1000})->Args({4000, 2000})->Unit(benchmark::kMillisecond);
