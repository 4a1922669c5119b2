#include "E2eFixture.h"

#include "platform/Locale.h"
#include "reports/DayStatement.h"
#include "reports/MonthStatement.h"
#include "reports/SpreadsheetExport.h"
#include "reports/YearStatistics.h"
#include "ui/ElidedLabel.h"
#include "ui/Procent.h"
#include "ui/Vippoday.h"
#include "ui/Vippodnym.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>

namespace {

class ReportsEndToEnd : public EndToEnd {
protected:
    void SetUp() override {
        EndToEnd::SetUp();
        logIn();
    }
    void clickRow(QTableWidget* grid, int row) {
        const QRect cell = grid->visualRect(grid->model()->index(row, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
};

// The cashier opens the statistics page, gets this year from the server, opens
// November by days, one day of it, and exports that day.
TEST_F(ReportsEndToEnd, StatisticsThenAMonthThenADayThenItsExport) {
    const QString s = Locale::decimalSeparator();
    find<QTabWidget>(&main(), "PageControl1")->setCurrentIndex(1);
    auto* balGrid = find<QTableWidget>(&main(), "BalGrid");
    auto* refresh = find<QPushButton>(&main(), "BitBtn3");
    ASSERT_TRUE(waitUntil([&] { return balGrid->isVisible() && refresh->isEnabled(); }));
    EXPECT_TRUE(QFile::exists(programDir + QStringLiteral("6101#26.txt")));
    EXPECT_EQ(find<QComboBox>(&main(), "ComboBox3")->currentText(), QStringLiteral("2026"));
    ASSERT_NE(balGrid->item(11, 1), nullptr);
    EXPECT_TRUE(balGrid->item(11, 1)->text().contains(QLatin1Char(',')));
    EXPECT_GE(balGrid->columnWidth(YearStatistics::BarColumn), 200);
    // Some month has the full bar.
    int full = 0;
    for (int row = 1; row <= 12; ++row)
        full += terminal().statistics().barPercent(row) == 100;
    EXPECT_EQ(full, 1);
    shot(&main(), QStringLiteral("statistics"));

    // "Подробно" on November: waits until the month's window is up and active.
    clickRow(balGrid, 11);
    auto* details = find<QPushButton>(&main(), "BitBtn4");
    QTest::mouseClick(details, Qt::LeftButton);
    EXPECT_FALSE(details->isEnabled());
    TVipMon* month = forms->VipMon;
    ASSERT_TRUE(waitUntil([&] { return month->isVisible(); }));
    EXPECT_EQ(find<QLabel>(month, "Label2")->text(), QStringLiteral("Ноябрь"));
    auto* days = find<QTableWidget>(month, "BalGrid");
    EXPECT_EQ(days->rowCount(), 31); // header and thirty days
    EXPECT_EQ(days->item(0, 0)->text(), QStringLiteral("Дата"));
    EXPECT_EQ(days->item(5, 0)->text(), QStringLiteral("05.11.26"));
    EXPECT_TRUE(find<QLabel>(month, "Label5")->text().contains(QLatin1Char('.')));
    ASSERT_TRUE(waitUntil([&] { return details->isEnabled(); }));
    shot(month, QStringLiteral("month"));

    // The context menu's "Подробно" does what the button does: the fifth of November.
    clickRow(days, 5);
    auto* monthDetails = find<QPushButton>(month, "Button2");
    find<QAction>(month, "N1")->trigger();
    EXPECT_FALSE(monthDetails->isEnabled());
    TVipDay* day = forms->VipDay;
    ASSERT_TRUE(waitUntil([&] { return day->isVisible(); }));
    EXPECT_EQ(find<QLabel>(day, "Label8")->text(), QStringLiteral("05"));
    EXPECT_EQ(find<QLabel>(day, "Label2")->text(), QStringLiteral("Ноябрь"));
    auto* movements = find<QTableWidget>(day, "BalGrid");
    ASSERT_GE(movements->rowCount(), 2);
    EXPECT_EQ(movements->item(0, 6)->text(), QStringLiteral("Транзакция"));
    EXPECT_TRUE(find<QLabel>(day, "Label5")->text().contains(s));
    ASSERT_TRUE(waitUntil([&] { return monthDetails->isEnabled(); }));
    shot(day, QStringLiteral("day"));

    const int widthBefore = main().width();
    // "Отчет в Exel": every row of the day, header first, eight columns, while the progress window shows.
    bool progressShown = true;
    spreadsheet.onCell = [&](int row, int column) {
        progressShown = progressShown && forms->Progress->isVisible();
        if (row == 3 && column == 1)
            shot(forms->Progress, QStringLiteral("progress"));
    };
    dialogs.onBox = [&](const FakeDialogs::Shown&) { EXPECT_FALSE(forms->Progress->isVisible()); };
    QTest::mouseClick(find<QPushButton>(day, "Button2"), Qt::LeftButton);
    EXPECT_TRUE(progressShown);
    EXPECT_FALSE(forms->Progress->isVisible());
    const QList<QStringList> rows = spreadsheet.rows();
    ASSERT_EQ(rows.size(), movements->rowCount());
    EXPECT_EQ(rows[0], QStringList({"Штамп", "Дата", "Счет", "Платеж", "Оплата", "Остаток", "Транзакция",
                                    "Примечание"}));
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(rows[1].value(c), movements->item(1, c) ? movements->item(1, c)->text() : QString()) << c;
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Загрузка успешно окончена!"));
    EXPECT_EQ(terminal().spreadsheet().gauge().percentDone(), 100);
    auto* workbook = find<ElidedLabel>(&main(), "StatusWorkbook");
    EXPECT_TRUE(workbook->isVisible());
    EXPECT_EQ(workbook->fullText(),
              QStringLiteral("Книга: Платежи за день 05 Ноябрь 2026-12-09 14-05-09.xlsx"));
    EXPECT_EQ(workbook->toolTip(), QDir::toNativeSeparators(spreadsheet.path));
    // The name never widens the window, also once the layout has caught up.
    QTest::qWait(50);
    EXPECT_LE(main().width(), widthBefore);
    EXPECT_LE(main().minimumSizeHint().width(), widthBefore);
    EXPECT_EQ(spreadsheet.path,
              programDir + QStringLiteral("Отчеты/Платежи за день 05 Ноябрь 2026-12-09 14-05-09.xlsx"));
}

} // namespace
