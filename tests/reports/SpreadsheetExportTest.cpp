#include "reports/SpreadsheetExport.h"
#include "core/Environment.h"
#include "platform/AppError.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeSpreadsheet.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(SpreadsheetCells, LinesAreCutAtDoubleHashesUpToTheColumnLimit) {
    struct Case {
        const char* line;
        int limit;
        QStringList cells;
    };
    const Case cases[] = {
        {"a##b##", 3, {"a", "b", ""}}, // the text after the last "##" takes the next column
        {"a##b##", 2, {"a", "b"}},     // exactly n cells, nothing more
        {"x##y##z##", 2, {"x", "y"}},  // cells beyond the limit are dropped
        {"a line without cells", 5, {"a line without cells"}},
        {"a##b##", 0, {}}, // no column at all
        {"a##b##", -3, {}},
        {"a#b####c##", 9, {"a#b", "", "c", ""}},               // one "#" is text; an empty cell between
        {"one##t##o##three##", 4, {"one", "t", "o", "three"}}, // "##" inside a text shifts what follows
        {"", 3, {""}},
        {"Январь##1234,56##", 5, {"Январь", "1234,56", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SpreadsheetExport::cells(QString::fromUtf8(c.line), c.limit), c.cells)
            << c.line << " limit " << c.limit;
    EXPECT_EQ(SpreadsheetExport::gridLine({"a", "", "c"}), QStringLiteral("a####c##"));
    EXPECT_EQ(SpreadsheetExport::cells(SpreadsheetExport::gridLine({"a", "", "c"}), 3),
              QStringList({"a", "", "c"}));
}

TEST(ProgressGauge, PercentageIsTheFloorOfTheShareOfTheRange) {
    ProgressGauge g;
    EXPECT_EQ(g.maximum(), 100);
    EXPECT_EQ(g.percentDone(), 0);
    g.setMaximum(3);
    const int expected[] = {0, 33, 66, 100};
    for (int p = 0; p <= 3; ++p) {
        g.setProgress(p);
        EXPECT_EQ(g.percentDone(), expected[p]) << p;
    }
    // Clamped into the range both ways.
    g.setProgress(7);
    EXPECT_EQ(g.progress(), 3);
    g.setProgress(-2);
    EXPECT_EQ(g.progress(), 0);
    // A huge range does not overflow on the way.
    g.setMaximum(2'000'000'000);
    g.setProgress(1'999'999'999);
    EXPECT_EQ(g.percentDone(), 99);
}

TEST(ProgressGauge, MaximumZeroIsIgnoredBelowMinimumRefusedAndProgressFollowsItDown) {
    ProgressGauge g;
    g.setMaximum(10);
    g.setProgress(8);
    int redraws = 0;
    QObject::connect(&g, &ProgressGauge::changed, [&] { ++redraws; });
    g.setMaximum(0);
    EXPECT_EQ(g.maximum(), 10);
    EXPECT_EQ(redraws, 0);
    EXPECT_THROW(g.setMaximum(-1), AppError);
    EXPECT_EQ(g.maximum(), 10);
    g.setMaximum(5);
    EXPECT_EQ(g.progress(), 5);
    EXPECT_EQ(g.percentDone(), 100);
    EXPECT_EQ(redraws, 1);
    // A step that leaves the percentage as it was is no redraw.
    g.setMaximum(1000);
    redraws = 0;
    g.setProgress(6);
    g.setProgress(9);
    EXPECT_EQ(redraws, 0);
    g.setProgress(10);
    EXPECT_EQ(redraws, 1);
}

class Export : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakeDialogs dialogs;
    FakeClock clock{QDateTime(QDate(2026, 12, 9), QTime(14, 5, 9))};
    FakeSpreadsheet writer;
    const Environment env{TestFiles::dirPath(dir)};
    std::unique_ptr<SpreadsheetExport> exporter;
    QStringList events;

    void SetUp() override {
        exporter = std::make_unique<SpreadsheetExport>(env, writer, dialogs, clock);
        QObject::connect(exporter.get(), &SpreadsheetExport::progressVisibleChanged,
                         [this](bool v) { events << (v ? "progress shown" : "progress hidden"); });
        QObject::connect(exporter.get(), &SpreadsheetExport::saved, [this](const QString& path, bool opened) {
            events << QStringLiteral("saved %1 %2").arg(QFileInfo(path).fileName()).arg(opened);
        });
        dialogs.onBox = [this](const FakeDialogs::Shown&) { events << "message"; };
    }
};

TEST_F(Export, FourLinesGoRowByRowWhileTheGaugeShowsAQuarterEach) {
    QStringList percents;
    writer.onCell = [&](int row, int column) {
        if (column == 1)
            percents << QStringLiteral("%1:%2").arg(row).arg(exporter->gauge().percentDone());
        EXPECT_TRUE(exporter->progressVisible());
    };
    exporter->exportToSpreadsheet({"Месяц####", "Январь##1234,56##10,5##", "x##y##z##", "plain"}, 2,
                                  QStringLiteral("Статистика 2026"));
    EXPECT_EQ(percents, QStringList({"1:25", "2:50", "3:75", "4:100"}));
    EXPECT_EQ(writer.rows(),
              QList<QStringList>({{"Месяц", ""}, {"Январь", "1234,56"}, {"x", "y"}, {"plain"}}));
    EXPECT_EQ(writer.steps, QStringList({"create", "open", "end"}));
    EXPECT_EQ(writer.path,
              env.programDir() + QStringLiteral("Отчеты/Статистика 2026 2026-12-09 14-05-09.xlsx"));
    EXPECT_EQ(events, QStringList({"progress shown", "progress hidden",
                                   "saved Статистика 2026 2026-12-09 14-05-09.xlsx 1", "message"}));
    EXPECT_EQ(dialogs.texts(), QStringList({"Загрузка успешно окончена!"}));
    EXPECT_FALSE(exporter->progressVisible());

    // The next export starts its gauge from zero again.
    percents.clear();
    exporter->exportToSpreadsheet({"a", "b"}, 1, QStringLiteral("Журнал"));
    EXPECT_EQ(percents, QStringList({"1:50", "2:100"}));
}

TEST_F(Export, AnEmptyTableStillMakesAWorkbookAndSaysSo) {
    exporter->exportToSpreadsheet({}, 5, QStringLiteral("Журнал"));
    EXPECT_TRUE(writer.cells.isEmpty());
    EXPECT_EQ(writer.steps, QStringList({"create", "open", "end"}));
    EXPECT_EQ(events.first(), QStringLiteral("progress shown"));
    EXPECT_EQ(dialogs.texts(), QStringList({"Загрузка успешно окончена!"}));
}

TEST_F(Export, WhereNoProgramOpensTheWorkbookTheMessageSaysWhereItIs) {
    writer.opens = false;
    exporter->exportToSpreadsheet({"a##"}, 1, QStringLiteral("Журнал"));
    ASSERT_EQ(dialogs.shown.size(), 1);
    const QString text = dialogs.last().text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("Загрузка успешно окончена!\n"))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QDir::toNativeSeparators(writer.path))) << text.toStdString();
    EXPECT_TRUE(events.contains(QStringLiteral("saved Журнал 2026-12-09 14-05-09.xlsx 0")));
}

TEST_F(Export, FailuresGoToTheErrorReportAndNoSuccessIsClaimed) {
    // Creation fails: nothing shown, nothing written.
    writer.failAt = QStringLiteral("create");
    EXPECT_THROW(exporter->exportToSpreadsheet({"a##"}, 1, QStringLiteral("Журнал")), AppError);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(writer.steps, QStringList({"create"}));

    // A cell fails: the rows written so far are kept, the window goes, no message.
    writer.failAt.clear();
    writer.steps.clear();
    writer.failAtCell = 3;
    EXPECT_THROW(exporter->exportToSpreadsheet({"a##b##", "c##d##", "e##f##"}, 2, QStringLiteral("Журнал")),
                 AppError);
    EXPECT_EQ(writer.rows(), QList<QStringList>({{"a", "b"}, {"c"}}));
    EXPECT_EQ(writer.steps, QStringList({"create", "open", "end"}));
    EXPECT_EQ(events,
              QStringList({"progress shown", "progress hidden", "saved Журнал 2026-12-09 14-05-09.xlsx 1"}));
    EXPECT_TRUE(dialogs.shown.isEmpty());

    // The workbook cannot be finished: the window goes, no message.
    events.clear();
    writer.failAtCell = -1;
    writer.failAt = QStringLiteral("end");
    EXPECT_THROW(exporter->exportToSpreadsheet({"a##"}, 1, QStringLiteral("Журнал")), AppError);
    EXPECT_EQ(events, QStringList({"progress shown", "progress hidden"}));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(Export, WorkbookNamesSayWhatAndWhenAndNeverReplaceAnEarlierOne) {
    const QString first = exporter->workbookPath(QStringLiteral("Платежи за день 15 Июнь"));
    EXPECT_EQ(first,
              env.programDir() + QStringLiteral("Отчеты/Платежи за день 15 Июнь 2026-12-09 14-05-09.xlsx"));
    QDir().mkpath(exporter->workbookFolder());
    TestFiles::write(first, "kept");
    EXPECT_EQ(QFileInfo(exporter->workbookPath(QStringLiteral("Платежи за день 15 Июнь"))).fileName(),
              QStringLiteral("Платежи за день 15 Июнь 2026-12-09 14-05-09 (2).xlsx"));
    // Separators and characters other systems refuse do not reach the name.
    EXPECT_EQ(QFileInfo(exporter->workbookPath(QStringLiteral("a/b\\c:d*e?"))).fileName(),
              QStringLiteral("a_b_c_d_e_ 2026-12-09 14-05-09.xlsx"));
    EXPECT_EQ(QFileInfo(exporter->workbookPath(QStringLiteral("../x"))).absoluteDir().absolutePath(),
              QDir(exporter->workbookFolder()).absolutePath());
}

} // namespace
