#include "ReportsFixture.h"

#include "platform/AppError.h"

#include <QSignalSpy>

namespace {

class Statements : public Reports {
protected:
    void SetUp() override {
        Reports::SetUp();
        if (HasFatalFailure())
            return;
        QObject::connect(&month(), &MonthStatement::shown, [this] { shown << "month"; });
        QObject::connect(&day(), &DayStatement::shown, [this] { shown << "day"; });
    }
    QStringList shown;
};

TEST_F(Statements, MonthFilesOfThreeAndTwoLinesAndTheMonthsTotalsUnderBothLocales) {
    for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
        Locale::setDecimalSeparator(separator);
        const QString s = separator;
        shown.clear();
        reply("8101#3#26", "Остаток на начало месяца#1500.00#\r\n"
                           "01.03.26#200.50#100,25#1600.25#\r\n"
                           "02.03.26#401#0#2001.25#extra#more#\r\n"
                           "03.03.26#x1#0#2001.25#\r\n"
                           "ИТОГО#601.50#100,25#2001.25#\r\n");
        EXPECT_EQ(shown, QStringList({"month"})) << s.toStdString();
        EXPECT_EQ(month().monthNumber(), QStringLiteral("3"));
        EXPECT_EQ(month().monthName(), QStringLiteral("Март"));
        EXPECT_EQ(month().opening(), QStringLiteral("1500.00"));
        EXPECT_EQ(month().rowCount(), 4);
        EXPECT_EQ(row(month(), 0), QStringList({"Дата", "Приход", "Расход", "Остаток", "График"}));
        // Every field but the date in the locale's form; a fifth field lands in the bar column.
        EXPECT_EQ(row(month(), 1),
                  QStringList({"01.03.26", "200" + s + "50", "100" + s + "25", "1600" + s + "25", ""}));
        EXPECT_EQ(row(month(), 2), QStringList({"02.03.26", "401", "0", "2001" + s + "25", "extra"}));
        EXPECT_EQ(row(month(), 3), QStringList({"03.03.26", "x1", "0", "2001" + s + "25", ""}));
        // Totals as sent.
        EXPECT_EQ(QStringList({month().income(), month().expense(), month().closing()}),
                  QStringList({"601.50", "100,25", "2001.25"}));
        EXPECT_FLOAT_EQ(month().monthMaximum(), 401.0f);
        EXPECT_EQ(month().barPercent(2), 100);
        EXPECT_EQ(month().barPercent(1), 50);
        EXPECT_EQ(month().barPercent(3), 0);
    }

    // Three lines: one day row.
    reply("8101#4#26", "o#10#\r\n05.04.26#7#0#17#\r\nИТОГО#7#0#17#\r\n");
    EXPECT_EQ(month().rowCount(), 2);
    EXPECT_EQ(row(month(), 1), QStringList({"05.04.26", "7", "0", "17", ""}));
    EXPECT_EQ(month().monthName(), QStringLiteral("Апрель"));
    // Two lines: the one row keeps the previous day's text; the totals come from the second line.
    reply("8101#5#26", "o#20#\r\nИТОГО#1#2#3#\r\n");
    EXPECT_EQ(month().rowCount(), 2);
    EXPECT_EQ(row(month(), 1), QStringList({"05.04.26", "7", "0", "17", ""}));
    EXPECT_EQ(QStringList({month().opening(), month().income(), month().expense(), month().closing()}),
              QStringList({"20", "1", "2", "3"}));
    EXPECT_FLOAT_EQ(month().monthMaximum(), 0.0f);
}

TEST_F(Statements, AMonthFileWithoutLinesIsAnErrorAfterTheMonthIsSet) {
    reply("8101#4#26", "o#10#\r\n05.04.26#7#0#17#\r\nИТОГО#7#0#17#\r\n");
    shown.clear();
    TestFiles::write(programDir + "8101#13#26.txt", "");
    EXPECT_THROW(month().load(programDir + "8101#13#26.txt"), AppError);
    // Not a month of the year: the name is that of row 0.
    EXPECT_EQ(month().monthNumber(), QStringLiteral("13"));
    EXPECT_EQ(month().monthName(), QStringLiteral("Месяц"));
    EXPECT_EQ(row(month(), 1), QStringList({"05.04.26", "7", "0", "17", ""}));
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(Statements, DayFilesTotalTheirSumsAndSplitTheTransactionUnderBothLocales) {
    for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
        Locale::setDecimalSeparator(separator);
        const QString s = separator;
        reply("8101#6#26", "o#1#\r\n15.06.26#1#1#1#\r\nИТОГО#1#1#1#\r\n");
        shown.clear();
        reply("9101#6#15", "Остаток на начало дня: 500#\r\n"
                           "10:01#15.06.26#101#100.50#0#399.50#T-1#Мобил#\r\n"
                           "10:05#15.06.26#101#20,25#0#379.25#abc*xyz#hidden#\r\n"
                           "11:00#15.06.26#101#0#1000#1379.25#P-3#Пополнение#\r\n"
                           "11:30#15.06.26#101#bad#0#n/a#T-4#\r\n");
        EXPECT_EQ(shown, QStringList({"day"}));
        EXPECT_EQ(day().day(), QStringLiteral("15"));
        EXPECT_EQ(day().monthName(), QStringLiteral("Июнь"));
        EXPECT_EQ(day().caption(), QStringLiteral("Остаток на начало дня: 500"));
        EXPECT_EQ(day().rowCount(), 5);
        EXPECT_EQ(row(day(), 1), QStringList({"10:01", "15.06.26", "101", "100" + s + "50", "0",
                                              "399" + s + "50", "T-1", "Мобил"}));
        EXPECT_EQ(row(day(), 2), QStringList({"10:05", "15.06.26", "101", "20" + s + "25", "0",
                                              "379" + s + "25", "_abc", "_xyz"}));
        // A figure that does not read is shown as received and counts as 0.
        EXPECT_EQ(row(day(), 4), QStringList({"11:30", "15.06.26", "101", "bad", "0", "n/a", "T-4", ""}));
        // 100.50 + 20,25 = 120.75; the closing balance is the last line's, not a sum.
        EXPECT_EQ(day().payments(), "120" + s + "75");
        EXPECT_EQ(day().payIns(), "1000" + s + "00");
        EXPECT_EQ(day().closing(), "0" + s + "00");
    }
    // The totals keep their single precision; the closing balance is no sum and is exact.
    Locale::setDecimalSeparator(QLatin1Char('.'));
    reply("9101#6#18", "Остаток#\r\n10:01#18.06.26#101#16777217#0#200000.01#T-9#М#\r\n");
    EXPECT_EQ(QStringList({day().payments(), day().closing()}), QStringList({"16777216.00", "200000.01"}));
}

TEST_F(Statements, ADayFileOfOneLineIsOneEmptyRowWithZeroTotals) {
    reply("9101#6#15", "a#b#c#d#e#f#g#h#\r\n1#2#3#4#5#6#7#8#\r\n");
    Locale::setDecimalSeparator(QLatin1Char(','));
    reply("9101#6#16", "Нет данных за выбранный день\r\n");
    EXPECT_EQ(day().rowCount(), 2);
    EXPECT_EQ(row(day(), 1), QStringList(8, QString()));
    EXPECT_EQ(QStringList({day().payments(), day().payIns(), day().closing()}),
              QStringList({"0,00", "0,00", "0,00"}));
    EXPECT_EQ(day().day(), QStringLiteral("16"));

    // Without lines: an error after the day is set; the table stays, no window.
    shown.clear();
    TestFiles::write(programDir + "9101#6#17.txt", "");
    EXPECT_THROW(day().load(programDir + "9101#6#17.txt"), AppError);
    EXPECT_EQ(day().day(), QStringLiteral("17"));
    EXPECT_EQ(day().rowCount(), 2);
    EXPECT_TRUE(shown.isEmpty());
}

// Each "Подробно" waits until the window it opens becomes active; a refusal
// gives it back at once.
TEST_F(Statements, DetailsButtonsComeBackWhenTheOpenedWindowIsActiveOrTheRequestIsRefused) {
    year().setSelectedRow(6);
    year().details();
    EXPECT_FALSE(year().detailsEnabled());
    EXPECT_EQ(nextRequest(), QByteArray("J8101#6#26$k$"));
    EXPECT_EQ(month().income(), QStringLiteral("0.00"));
    EXPECT_FALSE(month().file().refreshEnabled());
    reply("8101#6#26", "o#1#\r\n15.06.26#1#1#1#\r\nИТОГО#1#1#1#\r\n");
    EXPECT_FALSE(year().detailsEnabled());
    month().formActivate();
    EXPECT_TRUE(year().detailsEnabled());

    month().details();
    EXPECT_FALSE(month().detailsEnabled());
    EXPECT_EQ(nextRequest(), QByteArray("J9101#6#15#26$k$"));
    EXPECT_EQ(day().monthName(), QStringLiteral("15.06.26")); // until the day is loaded
    day().formActivate();
    EXPECT_TRUE(month().detailsEnabled());

    session().setRegistered(false);
    year().details();
    EXPECT_TRUE(year().detailsEnabled());
    month().details();
    EXPECT_TRUE(month().detailsEnabled());
    EXPECT_EQ(dialogs.texts(),
              QStringList({"Необходимо зарегистрироваться!", "Необходимо зарегистрироваться!"}));
}

TEST_F(Statements, ReportsExportEveryRowWithTheHeader) {
    reply("8101#6#26", "o#1#\r\n15.06.26#1.5#1#1#\r\n16.06.26#2#1#1#\r\nИТОГО#1#1#1#\r\n");
    month().report();
    EXPECT_EQ(sheet.rows(), QList<QStringList>({{"Дата", "Приход", "Расход", "Остаток", "График"},
                                                {"15.06.26", "1.5", "1", "1", ""},
                                                {"16.06.26", "2", "1", "1", ""}}));
    for (const int column : {2, 3, 4}) {
        EXPECT_TRUE(sheet.isNumber(2, column)) << column;
        EXPECT_FALSE(sheet.isNumber(1, column)) << column;
    }
    EXPECT_DOUBLE_EQ(sheet.value(2, 2), 1.5);
    EXPECT_FALSE(sheet.isNumber(2, 1)); // the date
    EXPECT_TRUE(QFileInfo(sheet.path).fileName().startsWith(QStringLiteral("Платежи по дням Июнь ")));

    reply("9101#6#16", "c\r\n1#2#3#4.00#5#6#abc*xyz#\r\n");
    day().report();
    EXPECT_EQ(sheet.rows(), QList<QStringList>({{"Штамп", "Дата", "Счет", "Платеж", "Оплата", "Остаток",
                                                 "Транзакция", "Примечание"},
                                                {"1", "2", "3", "4.00", "5", "6", "_abc", "_xyz"}}));
    // Payment, pay-in and balance are numbers; stamp, date and account are not.
    for (const int column : {4, 5, 6})
        EXPECT_TRUE(sheet.isNumber(2, column)) << column;
    for (const int column : {1, 2, 3, 7})
        EXPECT_FALSE(sheet.isNumber(2, column)) << column;
    EXPECT_TRUE(QFileInfo(sheet.path).fileName().startsWith(QStringLiteral("Платежи за день 16 Июнь ")));
}

// A program folder with "#" in its path still gives the month and day of the
// stored file's own name.
class StatementsInAHashFolder : public Reports {
protected:
    void SetUp() override { setUpIn(QStringLiteral("касса#12#3.1")); }
};

TEST_F(StatementsInAHashFolder, MonthAndDayComeFromTheFileNameNotThePath) {
    ASSERT_TRUE(programDir.contains(QLatin1Char('#')));
    reply("8101#6#26", "o#1#\r\n15.06.26#1#1#1#\r\nИТОГО#1#1#1#\r\n");
    EXPECT_TRUE(QFile::exists(programDir + "8101#6#26.txt"));
    EXPECT_EQ(month().monthNumber(), QStringLiteral("6"));
    EXPECT_EQ(month().monthName(), QStringLiteral("Июнь"));
    reply("9101#6#15", "c\r\n");
    EXPECT_EQ(day().day(), QStringLiteral("15"));
    EXPECT_EQ(MonthStatement::monthFromFileName(QStringLiteral("/a#1#2/8101#11#26.txt")),
              QStringLiteral("11"));
    EXPECT_EQ(DayStatement::dayFromFileName(QStringLiteral("/a#1#2.x/9101#11#30.txt")), QStringLiteral("30"));
    EXPECT_EQ(MonthStatement::monthFromFileName(QStringLiteral("8101.txt")), QString());
}

} // namespace
