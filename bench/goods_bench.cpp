// Typing into the price list's filter reloads the stored list on every
// keystroke: read, cut into fields, filter. Measured next to reading and
// splitting the same file's lines, the floor any reload pays.
#include "QuietDialogs.h"
#include "goods/PriceList.h"
#include "platform/FileIo.h"
#include "platform/TextCodec.h"
#include "terminal/Terminal.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kItems = 20000;

QByteArray priceFile() {
    const QStringList kinds = {QStringLiteral("Бумага для чеков"),    QStringLiteral("Кабель USB-C"),
                               QStringLiteral("Стартовый пакет"),     QStringLiteral("Карта оплаты"),
                               QStringLiteral("Зарядное устройство"), QStringLiteral("Наушники"),
                               QStringLiteral("Чехол для телефона"),  QStringLiteral("Защитное стекло")};
    QString text = QStringLiteral("01.12.2026 09:00#\r\n");
    for (int i = 0; i < kItems; ++i) {
        text += QStringLiteral("%1#%2, модель %3#%4.%5#\r\n")
                    .arg(100000 + i)
                    .arg(kinds[i % kinds.size()])
                    .arg(i % 97)
                    .arg(5 + i % 300)
                    .arg(i % 100, 2, 10, QLatin1Char('0'));
    }
    return TextCodec::toCp1251(text);
}

struct Fixture {
    Fixture() : terminal(QDir(dir.path()).absolutePath() + QLatin1Char('/'), quiet.seams()) {
        terminal.session().setLoginTerminal(QStringLiteral("101"));
        FileIo::writeBytes(terminal.priceList().filePath(), priceFile());
    }
    QTemporaryDir dir;
    QuietSeams quiet;
    Terminal terminal;
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_ReadAndSplitLines(benchmark::State& state) {
    Fixture& f = fixture();
    const QString path = f.terminal.priceList().filePath();
    for (auto _ : state) {
        QStringList lines;
        FileIo::readLines(path, &lines);
        benchmark::DoNotOptimize(lines.data());
    }
}

// One keystroke of typing "Кабель" into the ticked filter, round and round.
void BM_FilterKeystroke(benchmark::State& state) {
    Fixture& f = fixture();
    PriceList& list = f.terminal.priceList();
    list.setFilterTicked(true);
    const QString word = QStringLiteral("Кабель");
    int typed = 0;
    for (auto _ : state) {
        typed = typed % word.size() + 1;
        list.setFilterText(word.left(typed));
    }
    state.counters["kept"] = list.rowCount();
    if (list.rowCount() == 0)
        state.SkipWithError("the filter kept nothing");
}

// The reload with the filter off: every item becomes a row.
void BM_ReloadAll(benchmark::State& state) {
    Fixture& f = fixture();
    PriceList& list = f.terminal.priceList();
    list.setFilterTicked(false);
    for (auto _ : state)
        list.load();
    if (list.rowCount() != kItems)
        state.SkipWithError("the list did not load");
}

} // namespace

BENCHMARK(BM_ReadAndSplitLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReloadAll)->Unit(benchmark::kMillisecond);
