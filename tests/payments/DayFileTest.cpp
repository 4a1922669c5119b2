#include "payments/PaymentJournal.h"
#include "platform/Locale.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using TestFiles::cp;

class DayFileTest : public ::testing::Test {
protected:
    void SetUp() override { Locale::setDecimalSeparator(QLatin1Char('.')); }
    void TearDown() override { Locale::setDecimalSeparator(QLatin1Char('.')); }
};

const char* const kEmptyDay = "11,5\r\n"
                              "cw 0,120\r\n"
                              "cw 1,130\r\n"
                              "cw 2,130\r\n"
                              "cw 3,100\r\n"
                              "cw 4,100\r\n"
                              "cw 5,150\r\n"
                              "cw 6,130\r\n"
                              "cw 7,0\r\n"
                              "cw 8,0\r\n"
                              "cw 9,0\r\n"
                              "cw 10,0\r\n"
                              "0,0,Время выполнения\r\n"
                              "1,0,Оператор\r\n"
                              "2,0,Абонент\r\n"
                              "3,0,Сумма\r\n"
                              "5,0,Транзакция\r\n"
                              "6,0,Примечание\r\n"
                              "7,0,Артикул\r\n"
                              "8,0,Тип платежа\r\n"
                              "9,0,Статус\r\n"
                              "10,0,Отправка\r\n"
                              "3,1,Зачислено\r\n"
                              "4,1,Получено\r\n"
                              "3,4,0.00\r\n"
                              "4,4,0.00\r\n";

TEST_F(DayFileTest, EmptyDayBytes) {
    PaymentJournal journal;
    EXPECT_EQ(journal.toDayFile(), cp(kEmptyDay));

    Locale::setDecimalSeparator(QLatin1Char(','));
    journal.clearDay();
    QByteArray withComma = cp(kEmptyDay);
    withComma.replace("3,4,0.00", "3,4,0,00").replace("4,4,0.00", "4,4,0,00");
    EXPECT_EQ(journal.toDayFile(), withComma);
}

TEST_F(DayFileTest, PaymentRowsRoundTrip) {
    PaymentJournal journal;
    journal.insertPaymentRow();
    journal.setPaymentRow(2, {QStringLiteral("09.12.26 10:00:00"), QStringLiteral(" Связь-Плюс"),
                              QStringLiteral("92777"), QStringLiteral("150,00"), QStringLiteral("155"),
                              QStringLiteral("000_261209100000"), QStringLiteral("Зачислено"),
                              QStringLiteral("7"), QStringLiteral("20"), QStringLiteral("1"),
                              SendFlag::Final});
    const QByteArray bytes = journal.toDayFile();
    EXPECT_TRUE(bytes.startsWith("11,6\r\n"));
    EXPECT_TRUE(bytes.contains(cp("\r\n0,2,09.12.26 10:00:00\r\n1,2, Связь-Плюс\r\n2,2,92777\r\n"
                                  "3,2,150,00\r\n4,2,155\r\n5,2,000_261209100000\r\n6,2,Зачислено\r\n"
                                  "7,2,7\r\n8,2,20\r\n9,2,1\r\n10,2,2\r\n3,5,150.00\r\n4,5,155.00\r\n")));

    PaymentJournal loaded;
    ASSERT_TRUE(loaded.fromDayFile(bytes));
    ASSERT_EQ(loaded.rowCount(), 6);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 11; ++c)
            EXPECT_EQ(loaded.cell(r, c), journal.cell(r, c)) << "row " << r << " column " << c;
    EXPECT_EQ(loaded.toDayFile(), bytes);
}

// Texts with line breaks: a text holding a CR is written on one line with CR,
// LF and NUL swapped for 0x09, 0x08 and 0x01; reading swaps them back when the
// line holds 0x08 and keeps a cell to its first line.
TEST_F(DayFileTest, LineBreaksAndControlBytesInTexts) {
    struct Case {
        QString text;
        QByteArray written;
        QString readBack;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("Иванов, Пётр №5"), cp("Иванов, Пётр №5"), QStringLiteral("Иванов, Пётр №5")},
        {QStringLiteral("a\r\nb"),
         QByteArray("a\x09\x08"
                    "b"),
         QStringLiteral("a")},
        {QStringLiteral("\r\nпервая"), QByteArray("\x09\x08") + cp("первая"), QString()},
        {QString::fromUtf16(u"x\0y\r\nz", 6), QByteArray("x\x01y\x09\x08z", 6),
         QString::fromUtf16(u"x\0y", 3)},
        // a CR with no LF: escaped on writing but not restored on reading
        {QStringLiteral("c\rd"),
         QByteArray("c\x09"
                    "d"),
         QStringLiteral("c\td")},
        // an LF with no CR is written as it stands and ends the line
        {QStringLiteral("e\nf"), QByteArray("e\nf"), QStringLiteral("e")},
        // a NUL with no CR is written as it stands and read back
        {QString::fromUtf16(u"g\0h", 3), QByteArray("g\0h", 3), QString::fromUtf16(u"g\0h", 3)},
    };

    PaymentJournal journal;
    for (size_t i = 0; i < cases.size(); ++i)
        journal.insertPaymentRow();
    for (size_t i = 0; i < cases.size(); ++i)
        journal.setCell(2 + int(i), PaymentJournal::Note, cases[i].text);
    const QByteArray bytes = journal.toDayFile();

    PaymentJournal loaded;
    ASSERT_TRUE(loaded.fromDayFile(bytes));
    for (size_t i = 0; i < cases.size(); ++i) {
        const QByteArray line = "\r\n6," + QByteArray::number(2 + int(i)) + "," + cases[i].written + "\r\n";
        EXPECT_TRUE(bytes.contains(line)) << "case " << i;
        EXPECT_EQ(loaded.cell(2 + int(i), PaymentJournal::Note), cases[i].readBack) << "case " << i;
    }
}

// The reading rules, each on a small file.
TEST_F(DayFileTest, ReadingRules) {
    struct Cell {
        int row;
        int column;
        const char* text;
    };
    struct Case {
        const char* name;
        QByteArray bytes;
        bool ok;
        int rows;
        std::vector<Cell> cells;
    };
    const std::vector<Case> cases = {
        {"zero counts", "0,0\r\n", false, 0, {}},
        {"zero rows", "11,0\r\n6,2,x\r\n", false, 0, {}},
        {"zero columns", "0,7\r\n", false, 0, {}},
        {"counts not numbers", "a,b\r\n", false, 0, {}},
        {"counts without a comma", "11\r\n", false, 0, {}},
        {"negative rows", "11,-7\r\n", false, 0, {}},
        {"no room for headers and totals", "11,2\r\n", false, 0, {}},
        {"absurd row count", "11,99999999\r\n", false, 0, {}},
        {"empty file", "", true, 5, {}},
        {"empty first line", "\r\n6,2,x\r\n", true, 5, {{2, 6, "x"}}},
        {"leading digits of counts", "11x,7 rows\r\n6,6,last\r\n", true, 7, {{6, 6, "last"}}},
        {"blanks before counts", " 11, 6\r\n", true, 6, {}},
        {"LF line ends", "11,6\n6,2,a\n6,3,b\n", true, 6, {{2, 6, "a"}, {3, 6, "b"}}},
        {"CR line ends", "11,6\r6,2,a\r6,3,b", true, 6, {{2, 6, "a"}, {3, 6, "b"}}},
        {"mixed line ends",
         "11,6\r\n6,2,a\n6,3,b\r2,2,c\r\n",
         true,
         6,
         {{2, 6, "a"}, {3, 6, "b"}, {2, 2, "c"}}},
        {"text keeps its commas",
         "11,6\r\n3,2,150,50\r\n6,2,a,b,,c\r\n",
         true,
         6,
         {{2, 3, "150,50"}, {2, 6, "a,b,,c"}}},
        {"text may be empty", "11,6\r\n6,2,\r\n", true, 6, {{2, 6, ""}}},
        {"non-integer indexes read as leading digits",
         "11,6\r\n2a,3b,t1\r\nx,y,t2\r\n 5 ,+4,t3\r\n",
         true,
         6,
         {{3, 2, "t1"}, {0, 0, "t2"}, {4, 5, "t3"}}},
        {"cells outside the table",
         "11,6\r\n6,6,r\r\n11,2,c\r\n-1,2,n\r\n6,-1,m\r\n6,5,in\r\n",
         true,
         6,
         {{5, 6, "in"}}},
        {"fewer columns declared",
         "5,6\r\n4,2,4\r\n5,2,5\r\n10,2,0\r\n",
         true,
         6,
         {{2, 4, "4"}, {2, 5, ""}, {2, 10, ""}}},
        {"more columns declared", "12,6\r\n10,2,1\r\n11,2,x\r\n", true, 6, {{2, 10, "1"}}},
        {"lines without two commas are not cells",
         "11,6\r\nstray\r\n6,2\r\n\r\n6,3,kept\r\n",
         true,
         6,
         {{2, 6, ""}, {3, 6, "kept"}}},
        {"a later line wins", "11,6\r\n6,2,first\r\n6,2,second\r\n", true, 6, {{2, 6, "second"}}},
        {"cp1251 text", cp("11,6\r\n1,2, Связь\r\n"), true, 6, {{2, 1, " Связь"}}},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PaymentJournal journal;
        journal.insertPaymentRow();
        journal.setCell(2, PaymentJournal::Note, QStringLiteral("before"));
        const QByteArray before = journal.toDayFile();

        ASSERT_EQ(journal.fromDayFile(c.bytes), c.ok);
        if (!c.ok) {
            EXPECT_EQ(journal.toDayFile(), before) << "a failed read leaves the table alone";
            continue;
        }
        EXPECT_EQ(journal.rowCount(), c.rows);
        EXPECT_NE(journal.cell(2, PaymentJournal::Note), QStringLiteral("before"));
        for (const Cell& cell : c.cells)
            EXPECT_EQ(journal.cell(cell.row, cell.column), QString::fromUtf8(cell.text))
                << "row " << cell.row << " column " << cell.column;
    }
}

TEST_F(DayFileTest, WidthLines) {
    PaymentJournal journal;
    const QByteArray file = "11,5\r\n"
                            "cw 2,77\r\n"
                            "cw 3x,44\r\n"
                            "cw 7,15\r\n"
                            "cw 11,50\r\n"
                            "cw -1,50\r\n"
                            "cw 0,-5\r\n"
                            "cw 5\r\n";
    ASSERT_TRUE(journal.fromDayFile(file));
    const int expected[11] = {0, 130, 77, 44, 100, 150, 130, 15, 0, 0, 0};
    for (int c = 0; c < 11; ++c)
        EXPECT_EQ(journal.columnWidth(c), expected[c]) << "column " << c;

    // A file's widths last until the headers are set again.
    journal.resetHeaders();
    EXPECT_EQ(journal.columnWidth(2), 130);
    EXPECT_EQ(journal.columnWidth(7), 0);
}

TEST_F(DayFileTest, TotalsAreRecomputedOnReading) {
    PaymentJournal journal;
    ASSERT_TRUE(journal.fromDayFile("11,6\r\n3,2,10.50\r\n3,3,-0.50\r\n4,2,x\r\n3,5,999\r\n4,5,999\r\n"));
    EXPECT_EQ(journal.cell(5, 3), QStringLiteral("10.00"));
    EXPECT_EQ(journal.cell(5, 4), QStringLiteral("0.00"));
}

} // namespace
