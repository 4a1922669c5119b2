#include "ReportsFixture.h"

#include "platform/AppError.h"

namespace {

class Statistics : public Reports {};

TEST_F(Statistics, TheYearBoxOffersThisYearAndTheTwoBefore) {
    EXPECT_EQ(year().yearItems(), QStringList({"2026", "2025", "2024"}));
    EXPECT_EQ(year().yearText(), QStringLiteral("2026"));
    EXPECT_EQ(year().twoDigitYear(), QStringLiteral("26"));
    EXPECT_EQ(year().cell(0, 0), QStringLiteral("Месяц"));
    EXPECT_EQ(year().cell(12, 0), QStringLiteral("Декабрь"));
}

TEST_F(Statistics, RequestsGoOutAsOneTransmissionWithTheirExactBytes) {
    // "Обновить": year and deposit in one write, all of it the request the watchdog resends.
    year().refresh();
    EXPECT_EQ(nextRequest("B101$k$"), QByteArray("J6101#26$k$B101$k$"));
    EXPECT_EQ(link().lastRequest(), QStringLiteral("J6101#26$k$B101$k$"));
    EXPECT_TRUE(link().TimerSend.isActive());
    EXPECT_FALSE(year().gridVisible());
    EXPECT_FALSE(year().file().refreshEnabled());

    // A year text shorter than four characters gives a shorter two-digit year, sent as it is.
    year().setYearText(QStringLiteral("202"));
    year().refresh();
    EXPECT_EQ(nextRequest("B101$k$"), QByteArray("J6101#2$k$B101$k$"));

    // The month of the page's "Подробно", the year the box holds.
    year().setYearText(QStringLiteral("2025"));
    year().setSelectedRow(6);
    year().details();
    EXPECT_EQ(nextRequest(), QByteArray("J8101#6#25$k$"));
    EXPECT_EQ(month().monthName(), QStringLiteral("Июнь"));
    EXPECT_EQ(month().monthNumber(), QStringLiteral("6"));
    EXPECT_FALSE(year().detailsEnabled());

    // The day of the month's "Подробно"; "Обновить" of either window takes the
    // year the page holds at that moment.
    TestFiles::write(programDir + "8101#6#25.txt",
                     "open#100.00#\r\n15.06.25#10#5#105#\r\ntotal#10#5#105#\r\n");
    month().load(programDir + "8101#6#25.txt");
    month().details();
    EXPECT_EQ(nextRequest(), QByteArray("J9101#6#15#25$k$"));
    year().setYearText(QStringLiteral("2024"));
    day().refresh();
    EXPECT_EQ(nextRequest(), QByteArray("J9101#6#15#24$k$"));
    month().refresh();
    EXPECT_EQ(nextRequest(), QByteArray("J8101#6#24$k$"));

    // A date without "." asks for the day "-"; blanks around a day are trimmed.
    day().open(QStringLiteral("итого"));
    EXPECT_EQ(nextRequest(), QByteArray("J9101#6#-#24$k$"));
    day().open(QStringLiteral(" 7 .06.24"));
    EXPECT_EQ(nextRequest(), QByteArray("J9101#6#7#24$k$"));
}

TEST_F(Statistics, AYearFileFillsTheTableUnderBothLocales) {
    for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
        Locale::setDecimalSeparator(separator);
        const QString s = separator;
        TestFiles::write(programDir + "6101#26.txt", "Терминал 101#\r\n"
                                                     "1234.56#10.5#0#\r\n"
                                                     "617,28#1,25#3#ignored\r\n"
                                                     "no figures here\r\n"
                                                     "abc#x.y#1.000.5#\r\n");
        year().load(programDir + "6101#26.txt");
        // Column 1 always with a comma; columns 2 and 3 with the locale's separator.
        EXPECT_EQ(row(year(), 1), QStringList({"Январь", "1234,56", "10" + s + "5", "0", ""}))
            << s.toStdString();
        EXPECT_EQ(row(year(), 2), QStringList({"Февраль", "617,28", "1" + s + "25", "3", ""}))
            << s.toStdString();
        EXPECT_EQ(row(year(), 3), QStringList({"Март", "", "", "", ""})) << s.toStdString();
        // Not a number: shown as received, no bar.
        EXPECT_EQ(row(year(), 4), QStringList({"Апрель", "abc", "x" + s + "y", "1" + s + "000.5", ""}))
            << s.toStdString();
        EXPECT_FLOAT_EQ(year().yearMaximum(), 1234.56f) << s.toStdString();
        // The best month's bar is full, half of it is half; a figure that does not read has none.
        EXPECT_EQ(year().barPercent(1), 100) << s.toStdString();
        EXPECT_EQ(year().barPercent(2), 50) << s.toStdString();
        EXPECT_EQ(year().barPercent(3), 0) << s.toStdString();
        EXPECT_EQ(year().barPercent(4), 0) << s.toStdString();
        EXPECT_TRUE(year().gridVisible());
    }
}

TEST_F(Statistics, AShortYearKeepsTheOtherRowsAndEveryLineCountsForTheMaximum) {
    QByteArray lines = "head\r\n";
    for (int m = 1; m <= 12; ++m)
        lines += QByteArray::number(m * 10) + ".00#1#2#\r\n";
    lines += "5000#0#0#\r\n"; // a 13th month line: not shown, still the maximum
    TestFiles::write(programDir + "6101#25.txt", lines);
    year().load(programDir + "6101#25.txt");
    EXPECT_EQ(year().cell(12, 1), QStringLiteral("120,00"));
    EXPECT_FLOAT_EQ(year().yearMaximum(), 5000.0f);
    EXPECT_EQ(year().barPercent(12), 2);

    TestFiles::write(programDir + "6101#26.txt", "head\r\n1#a#b#\r\n2#c#d#\r\n3#e#f#\r\n");
    year().load(programDir + "6101#26.txt");
    EXPECT_EQ(row(year(), 3), QStringList({"Март", "3", "e", "f", ""}));
    EXPECT_EQ(row(year(), 4), QStringList({"Апрель", "40,00", "1", "2", ""}));
    EXPECT_FLOAT_EQ(year().yearMaximum(), 3.0f);
    // A figure from the earlier year above the new maximum gets a full bar, no longer.
    EXPECT_EQ(year().barPercent(4), 100);

    // A file without lines is no year: an error, the table as it was.
    TestFiles::write(programDir + "6101#24.txt", "");
    EXPECT_THROW(year().load(programDir + "6101#24.txt"), AppError);
    EXPECT_EQ(year().cell(1, 1), QStringLiteral("1"));
    EXPECT_FLOAT_EQ(year().yearMaximum(), 3.0f);
}

TEST_F(Statistics, ShowingThePagePrefersThisYearThenLastYearThenAsks) {
    TestFiles::write(programDir + "6101#25.txt", "h\r\n25#0#0#\r\n");
    TestFiles::write(programDir + "6101#26.txt", "h\r\n26#0#0#\r\n");
    TestFiles::write(programDir + "6101#24.txt", "h\r\n24#0#0#\r\n");
    year().setYearText(QStringLiteral("2024"));
    year().show();
    EXPECT_EQ(year().yearText(), QStringLiteral("2026"));
    EXPECT_EQ(year().cell(1, 1), QStringLiteral("26"));

    QFile::remove(programDir + "6101#26.txt");
    year().show();
    EXPECT_EQ(year().yearText(), QStringLiteral("2025"));
    EXPECT_EQ(year().cell(1, 1), QStringLiteral("25"));

    // Two years back is no longer preferred: the server is asked for the year in the box.
    QFile::remove(programDir + "6101#25.txt");
    year().show();
    EXPECT_EQ(nextRequest("B101$k$"), QByteArray("J6101#25$k$B101$k$"));
    reply("6101#25", "h\r\n99.5#1#2#\r\n");
    EXPECT_EQ(year().cell(1, 1), QStringLiteral("99,5"));
    EXPECT_TRUE(year().gridVisible());
    EXPECT_TRUE(year().file().refreshEnabled());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(Statistics, UnregisteredThePageAndItsRefreshAreRefusedWithTheirOwnTexts) {
    session().setRegistered(false);
    year().show();
    year().refresh();
    EXPECT_EQ(dialogs.texts(),
              QStringList({"Вам необходимо зарегестрироваться!", "Необходимо зарегестрироваться!"}));
    EXPECT_TRUE(year().gridVisible());
    EXPECT_TRUE(year().file().refreshEnabled());
    QTest::qWait(30);
    EXPECT_TRUE(server.received.isEmpty());
}

TEST_F(Statistics, AnyFileReplyGivesRefreshBackButOnlyTheYearShowsTheGrid) {
    year().refresh();
    nextRequest("B101$k$");
    reply("v101", "turnover\r\n");
    EXPECT_TRUE(year().file().refreshEnabled());
    EXPECT_FALSE(year().gridVisible());
    reply("6101#26", "h\r\n1#2#3#\r\n");
    EXPECT_TRUE(year().gridVisible());
}

TEST_F(Statistics, ReportExportsTheThirteenRowsWithFiveColumns) {
    TestFiles::write(programDir + "6101#26.txt", "h\r\n1234.56#10.5#7#\r\n");
    year().show();
    year().report();
    const QList<QStringList> rows = sheet.rows();
    ASSERT_EQ(rows.size(), 13);
    EXPECT_EQ(rows[0], QStringList({"Месяц", "", "", "", ""}));
    EXPECT_EQ(rows[1],
              QStringList({"Январь", "1234,56", "10" + QString(Locale::decimalSeparator()) + "5", "7", ""}));
    EXPECT_EQ(rows[12], QStringList({"Декабрь", "", "", "", ""}));
    // The sum and both counts are numbers; the captions and empty months are not.
    for (const int column : {2, 3, 4}) {
        EXPECT_TRUE(sheet.isNumber(2, column)) << column;
        EXPECT_FALSE(sheet.isNumber(1, column)) << column;
        EXPECT_FALSE(sheet.isNumber(13, column)) << column;
    }
    EXPECT_DOUBLE_EQ(sheet.value(2, 4), 7.0);
    EXPECT_TRUE(QFileInfo(sheet.path).fileName().startsWith(QStringLiteral("Статистика 2026 ")));
}

} // namespace
