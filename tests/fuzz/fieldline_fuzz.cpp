// The "#"-field lines of the files the server sends: split both ways they are
// split, then loaded by every reader of such files: the year statistics, the
// monthly and daily statements, the price list, the stock, the turnover
// statement, and the reconciliation with the journal.
#include "FuzzSupport.h"

#include "support/FakePrinter.h"
#include "support/FakeSpreadsheet.h"
#include "core/FieldLine.h"
#include "goods/PriceList.h"
#include "goods/Stock.h"
#include "goods/TurnoverStatement.h"
#include "platform/AppError.h"
#include "platform/FileIo.h"
#include "platform/TextCodec.h"
#include "reports/DayStatement.h"
#include "reports/MonthStatement.h"
#include "reports/Reconciliation.h"
#include "reports/YearStatistics.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "terminal/Terminal.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

struct Readers {
    QTemporaryDir dir{Fuzz::scratchTemplate()};
    QString programDir = dir.path() + QLatin1Char('/');
    FakeDialogs dialogs;
    FakeClock clock;
    FakeFileDialog fileDialog;
    FakePrinter printer;
    FakeSpreadsheet spreadsheet;
    Terminal terminal{programDir, Seams{dialogs, clock, fileDialog, printer, spreadsheet}};

    Readers() {
        terminal.session().setTerminalNumber(QStringLiteral("101"));
        terminal.session().setLoginTerminal(QStringLiteral("101"));
        terminal.session().setRegistered(false); // a missing file is refused, never asked for
    }
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = programDir + name + QStringLiteral(".txt");
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
        return path;
    }
    template <typename F> void load(F&& f) {
        try {
            f();
        } catch (const AppError&) {
            // A file without lines is no report: refused, as in the program.
        }
    }
};

void checkFields(const QString& text, int count) {
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QStringList all = FieldLine::fields(line);
        const qsizetype lastHash = line.lastIndexOf(QLatin1Char('#'));
        if (all.join(QLatin1Char('#')) + (all.isEmpty() ? QString() : QStringLiteral("#")) !=
            line.left(lastHash + 1))
            Fuzz::fail("the fields do not make up the line");
        const QStringList some = FieldLine::fields(line, count);
        if (some.size() != count)
            Fuzz::fail("not the number of fields asked for");
        for (int i = 0; i < count; ++i) {
            if (some[i] != all.value(i))
                Fuzz::fail("the counted fields differ from the fields");
        }
        for (const QString& f : all) {
            if (FieldLine::decimal(f).size() != f.size())
                Fuzz::fail("a figure changed its length");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Fuzz::init();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = TextCodec::fromCp1251(bytes);
    checkFields(text, size ? data[0] % 48 : 0);

    static Readers r;
    r.dialogs.shown.clear();
    Terminal& t = r.terminal;
    r.load([&] { t.statistics().load(r.write(QStringLiteral("6101#26"), bytes)); });
    r.load([&] { t.monthStatement().load(r.write(QStringLiteral("8101#12#26"), bytes)); });
    r.load([&] { t.dayStatement().load(r.write(QStringLiteral("9101#12#9"), bytes)); });
    r.write(QStringLiteral("p101"), bytes);
    r.load([&] { t.priceList().load(); });
    r.write(QStringLiteral("s101"), bytes);
    r.load([&] { t.stock().load(); });
    r.write(QStringLiteral("v101"), bytes);
    r.load([&] { t.turnover().load(); });

    // The stock's totals row always closes the grid.
    if (t.stock().rowCount() > 0 &&
        t.stock().cell(t.stock().rowCount() - 1, Stock::Name) != QStringLiteral("ИТОГО") &&
        r.dialogs.shown.isEmpty())
        Fuzz::fail("the stock lost its totals row");

    QStringList lines;
    if (FileIo::readLines(r.programDir + QStringLiteral("9101#12#9.txt"), &lines)) {
        const Reconciliation::Result result = Reconciliation::compare({}, lines);
        if (!result.onlyInJournal.isEmpty() || !result.sumsDiffer.isEmpty() || result.matched != 0)
            Fuzz::fail("an empty journal matched a statement");
    }
    return 0;
}
