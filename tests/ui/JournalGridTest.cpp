#include "ui/JournalGrid.h"
#include "payments/PaymentJournal.h"
#include "platform/Locale.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "support/FakePrinter.h"
#include "support/FakeSpreadsheet.h"
#include "support/TestFiles.h"
#include "terminal/Terminal.h"
#include "ui/Unit1.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class JournalGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        Locale::setDecimalSeparator(QLatin1Char('.'));
        // rows 2..4, newest first: t3, t2, t1
        for (const char* t : {"t1", "t2", "t3"}) {
            journal.insertPaymentRow();
            journal.setCell(2, PaymentJournal::TransactionId, QString::fromLatin1(t));
            journal.setCell(2, PaymentJournal::Note, QStringLiteral("в процессе"));
        }
        journal.setCell(3, PaymentJournal::Note, QStringLiteral("Зачислено"));
        journal.setCell(2, PaymentJournal::SendFlag, QStringLiteral("Зачислено")); // hidden column
    }

    PaymentJournal journal;
    JournalGrid grid{&journal};
    JournalSearchBar bar{&grid};
};

TEST_F(JournalGridTest, HeaderRowsAreMergedAndTransmissionColumnsHidden) {
    EXPECT_EQ(grid.objectName(), QStringLiteral("Grid"));
    EXPECT_TRUE(grid.horizontalHeader()->isHidden());
    EXPECT_TRUE(grid.verticalHeader()->isHidden());

    auto check = [this] {
        for (int c : {0, 1, 2, 5, 6}) {
            EXPECT_EQ(grid.rowSpan(0, c), 2) << "column " << c;
            EXPECT_EQ(grid.columnSpan(0, c), 1) << "column " << c;
        }
        EXPECT_EQ(grid.rowSpan(0, 3), 1);
        EXPECT_EQ(grid.columnSpan(0, 3), 2);
        EXPECT_EQ(grid.columnSpan(1, 3), 1);
        const int widths[7] = {120, 130, 130, 100, 100, 150, 130};
        for (int c = 0; c < 7; ++c) {
            EXPECT_FALSE(grid.isColumnHidden(c)) << "column " << c;
            EXPECT_EQ(grid.columnWidth(c), widths[c]) << "column " << c;
        }
        for (int c = 7; c < 11; ++c)
            EXPECT_TRUE(grid.isColumnHidden(c)) << "column " << c;
    };
    check();
    // Loading a day replaces the whole table; the layout must survive it.
    ASSERT_TRUE(journal.fromDayFile("11,6\r\ncw 7,50\r\n6,2,x\r\n"));
    EXPECT_FALSE(grid.isColumnHidden(7));
    journal.resetHeaders();
    check();
}

TEST_F(JournalGridTest, SelectionFollowsTheCurrentRowBothWays) {
    journal.setCurrentRow(3);
    EXPECT_EQ(grid.currentIndex().row(), 3);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(3, QModelIndex()));

    grid.setCurrentIndex(journal.index(4, 0));
    EXPECT_EQ(journal.currentRow(), 4);

    journal.insertPaymentRow();
    EXPECT_EQ(grid.currentIndex().row(), 2);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(2, QModelIndex()));
    EXPECT_FALSE(grid.selectionModel()->isRowSelected(5, QModelIndex()));

    // A click on a header row selects nothing; one on a payment row selects it.
    grid.resize(900, 400);
    auto click = [this](int row) {
        const QPoint at = grid.visualRect(journal.index(row, 1)).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, grid.viewport()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, grid.viewport()->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &press);
        QApplication::sendEvent(grid.viewport(), &release);
    };
    click(1);
    EXPECT_EQ(journal.currentRow(), 2);
    EXPECT_EQ(grid.currentIndex().row(), 2);
    click(3);
    EXPECT_EQ(journal.currentRow(), 3);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(3, QModelIndex()));
}

TEST_F(JournalGridTest, SearchBarFindsShownTexts) {
    auto* text = bar.findChild<QLineEdit*>(QStringLiteral("GridSearchText"));
    auto* next = bar.findChild<QToolButton*>(QStringLiteral("GridFindNext"));
    auto* previous = bar.findChild<QToolButton*>(QStringLiteral("GridFindPrevious"));
    auto* state = bar.findChild<QLabel*>(QStringLiteral("GridSearchState"));
    ASSERT_TRUE(text && next && previous && state);

    // The clear button comes with the first text.
    EXPECT_FALSE(text->isClearButtonEnabled());
    journal.setCurrentRow(2);
    text->setText(QStringLiteral("в процессе"));
    EXPECT_TRUE(text->isClearButtonEnabled());
    next->click();
    EXPECT_EQ(journal.currentRow(), 4);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(4, QModelIndex()));
    next->click();
    EXPECT_EQ(journal.currentRow(), 2); // round again
    previous->click();
    EXPECT_EQ(journal.currentRow(), 4);
    EXPECT_TRUE(state->text().isEmpty());

    // Only the hidden column of row 2 holds it besides row 3.
    text->setText(QStringLiteral("зачислено"));
    next->click();
    EXPECT_EQ(journal.currentRow(), 3);
    next->click();
    EXPECT_EQ(journal.currentRow(), 3);

    text->setText(QStringLiteral("нет такого"));
    emit text->returnPressed();
    EXPECT_EQ(journal.currentRow(), 3);
    EXPECT_EQ(state->text(), QStringLiteral("Не найдено"));
}

TEST(JournalIcons, OperatorIconWhenItsFileExists) {
    QTemporaryDir dir;
    const Environment env(TestFiles::dirPath(dir));
    QDir().mkpath(env.programDir() + QStringLiteral("img"));
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(env.iconPath(QStringLiteral("7")), "ICO"));

    PaymentJournal journal;
    JournalGrid grid(&journal);
    grid.setIconLookup([&env](const QString& article) { return env.operatorIcon(article); });
    EXPECT_FALSE(grid.operatorIcon(QStringLiteral("7")).isNull());
    EXPECT_TRUE(grid.operatorIcon(QStringLiteral("8")).isNull());
    EXPECT_TRUE(grid.operatorIcon(QString()).isNull());

    // Written later, the icon shows after the headers are set again (a settings update).
    ASSERT_TRUE(image.save(env.iconPath(QStringLiteral("8")), "ICO"));
    journal.resetHeaders();
    EXPECT_FALSE(grid.operatorIcon(QStringLiteral("8")).isNull());
}

TEST(JournalColours, RulesInTheirOrderByWhatTheRowSays) {
    const QColor red(255, 0, 0), yellow(255, 255, 0), lime(0, 255, 0), sky(166, 202, 240), green(0, 128, 0),
        blue(0, 0, 255), black(Qt::black), white(Qt::white), none;
    const QColor face = JournalGrid::light3dFace();
    struct Case {
        const char* status;
        const char* sendFlag;
        QColor background;
        QColor text;
    };
    const Case cases[] = {
        {"", "0", none, none},    {"", "", none, none},      {"", "1", face, black},
        {"", "2", none, none},    {"3", "1", red, yellow},   {"-", "0", red, yellow},
        {"6", "1", lime, black},  {"5", "1", sky, white},    {"7", "", sky, white},
        {"8", "1", sky, white},   {"70", "1", sky, white},   {"76", "1", sky, white},
        {"77", "1", face, black}, {"11", "1", green, white}, {"12", "1", blue, white},
        {"+", "2", lime, black},  {"1", "2", lime, black},   {"0", "2", lime, black},
        {"10", "2", lime, black}, {"4", "2", none, none},    {"3", "9", none, none},
        {"", "9", none, none},    {"1", "9", none, none},
    };
    PaymentJournal journal;
    journal.insertPaymentRow();
    for (const Case& c : cases) {
        journal.setCell(2, PaymentJournal::Status, QString::fromUtf8(c.status));
        journal.setCell(2, PaymentJournal::SendFlag, QString::fromUtf8(c.sendFlag));
        const JournalGrid::Colours colours = JournalGrid::rowColours(journal.sendFlag(2), journal.status(2));
        EXPECT_EQ(colours.background, c.background) << "status '" << c.status << "' flag '" << c.sendFlag << "'";
        EXPECT_EQ(colours.text, c.text) << "status '" << c.status << "' flag '" << c.sendFlag << "'";
    }
}

TEST(JournalInMainWindow, DatePickerAndOpenFileLoadTheDay) {
    QTemporaryDir dir;
    FakeDialogs dialogs;
    FakeClock clock;
    FakeFileDialog fileDialog;
    FakePrinter printer;
    FakeSpreadsheet spreadsheet;
    Terminal terminal(TestFiles::dirPath(dir), Seams{dialogs, clock, fileDialog, printer, spreadsheet});
    TwinMain window(terminal);
    const QString journalDir = TestFiles::dirPath(dir) + QStringLiteral("000/");
    terminal.session().setJournalDir(journalDir);
    TestFiles::write(journalDir + QStringLiteral("20261205.dat"), "11,6\r\n5,2,d5\r\n");
    TestFiles::write(journalDir + QStringLiteral("20261206.dat"), "11,6\r\n5,2,d6\r\n");

    auto* grid = window.findChild<JournalGrid*>(QStringLiteral("Grid"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->model(), &terminal.journal());
    auto* date = window.findChild<QDateEdit*>(QStringLiteral("DateDATA"));
    ASSERT_NE(date, nullptr);

    date->setDate(QDate(2026, 12, 5));
    EXPECT_EQ(terminal.days().shownDay(), QDate(2026, 12, 5));
    EXPECT_EQ(terminal.journal().cell(2, PaymentJournal::TransactionId), QStringLiteral("d5"));

    auto* n11 = window.findChild<QAction*>(QStringLiteral("N11"));
    ASSERT_NE(n11, nullptr);
    fileDialog.nextPath = QStringLiteral("/elsewhere/20261206.dat");
    n11->trigger();
    EXPECT_EQ(date->date(), QDate(2026, 12, 6));
    EXPECT_EQ(terminal.journal().cell(2, PaymentJournal::TransactionId), QStringLiteral("d6"));
    EXPECT_EQ(grid->currentIndex().row(), 2);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

} // namespace
