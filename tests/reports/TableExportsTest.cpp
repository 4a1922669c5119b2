#include "ReportsFixture.h"

#include "goods/PriceList.h"
#include "goods/Stock.h"
#include "goods/TurnoverStatement.h"
#include "payments/PaymentJournal.h"
#include "platform/FileIo.h"
#include "platform/TextCodec.h"

namespace {

class TableExports : public Reports {};

TEST_F(TableExports, TheJournalGoesFromItsSecondHeaderRowToTheTotalsWithEveryColumn) {
    PaymentJournal& j = terminal->journal();
    j.insertPaymentRow();
    j.setPaymentRow(2, JournalRow{"09.12.2026 14:05:09", "Мобил-Тест", "0071234", "98.00", "100.00", "101-42",
                                  "Зачислено", "500", "0", "1", SendFlag::Final});
    QString saved;
    QObject::connect(&terminal->spreadsheet(), &SpreadsheetExport::saved,
                     [&saved](const QString& path) { saved = path; });
    terminal->exportJournal();
    const QList<QStringList> rows = sheet.rows();
    ASSERT_EQ(rows.size(), j.rowCount() - 1);
    // Only the two sum captions stand in the second header row.
    EXPECT_EQ(rows[0], QStringList({"", "", "", "Зачислено", "Получено", "", "", "", "", "", ""}));
    // The hidden transmission columns are exported like the others.
    EXPECT_EQ(rows[1], QStringList({"09.12.2026 14:05:09", "Мобил-Тест", "0071234", "98.00", "100.00",
                                    "101-42", "Зачислено", "500", "0", "1", "2"}));
    EXPECT_EQ(rows.last().value(3), j.cell(j.totalsRow(), PaymentJournal::Credited));
    // The sums are numbers, the totals with them; the captions, the account,
    // the operator's code and the flags stay text.
    for (const int column : {4, 5}) {
        EXPECT_FALSE(sheet.isNumber(1, column));
        EXPECT_TRUE(sheet.isNumber(2, column));
        EXPECT_TRUE(sheet.isNumber(int(rows.size()), column));
    }
    for (const int column : {1, 3, 6, 8, 9, 10})
        EXPECT_FALSE(sheet.isNumber(2, column)) << column;
    EXPECT_DOUBLE_EQ(sheet.value(2, 4), 98.0);
    EXPECT_TRUE(QFileInfo(sheet.path).fileName().startsWith(QStringLiteral("Журнал ")));
    EXPECT_EQ(saved, sheet.path);
}

TEST_F(TableExports, TheTurnoverStatementGoesLineByLineIntoTheFirstColumn) {
    const QString file = programDir + QStringLiteral("v101.txt");
    TestFiles::write(file,
                     TestFiles::cp("ОБОРОТНАЯ ВЕДОМОСТЬ\r\n  1001  Чай зелёный   10   2\r\n\r\nИТОГО\r\n"));
    terminal->turnover().activate();
    terminal->turnover().report();
    EXPECT_EQ(
        sheet.rows(),
        QList<QStringList>({{"ОБОРОТНАЯ ВЕДОМОСТЬ"}, {"  1001  Чай зелёный   10   2"}, {""}, {"ИТОГО"}}));
    EXPECT_TRUE(QFileInfo(sheet.path).fileName().startsWith(QStringLiteral("Оборотная ведомость ")));
}

TEST_F(TableExports, ThePriceListAndTheStockGoWithTheirTitleAndEveryGridRow) {
    Locale::setDecimalSeparator(QLatin1Char(','));
    TestFiles::write(programDir + QStringLiteral("p101.txt"),
                     TestFiles::cp("01.12.2026 09:00#\r\n4001#Бумага для чеков#12.50#\r\n"));
    terminal->priceList().activate();
    terminal->priceList().report();
    // At most five cells a line: the three columns, and the empty text after the last "##".
    EXPECT_EQ(sheet.rows(), QList<QStringList>({{"ПРАЙС-ЛИСТ товаров на главном складе  на 01.12.2026 09:00"},
                                                {""}, // the empty line writes one empty cell
                                                {"Артикул", "Наименование товара", "Цена", ""},
                                                {"4001", "Бумага для чеков", "12,50", ""}}));
    EXPECT_TRUE(sheet.isNumber(4, 3));
    EXPECT_FALSE(sheet.isNumber(4, 1)); // the article
    EXPECT_FALSE(sheet.isNumber(3, 3)); // the caption
    EXPECT_TRUE(QFileInfo(sheet.path).fileName().startsWith(QStringLiteral("Прайс-лист ")));

    TestFiles::write(programDir + QStringLiteral("s101.txt"),
                     TestFiles::cp("09.12.2026 14:05#\r\n4002#Н-0102#Кабель USB#4#10#\r\n"));
    terminal->stock().activate();
    terminal->stock().report();
    const QList<QStringList> rows = sheet.rows();
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0], QStringList({"ОСТАТКИ НА СКЛАДЕ 101 на 09.12.2026 14:05"}));
    EXPECT_EQ(rows[3], QStringList({"4002", "Н-0102", "Кабель USB", "4", "2,50", "10", ""}));
    EXPECT_EQ(rows[4].value(2), QStringLiteral("ИТОГО"));
    // Quantity, price and amount are numbers, the whole ones too, the totals with them.
    for (const int column : {4, 5, 6})
        EXPECT_TRUE(sheet.isNumber(4, column)) << column;
    EXPECT_DOUBLE_EQ(sheet.value(4, 4), 4.0);
    EXPECT_TRUE(sheet.isNumber(5, 4));
    EXPECT_TRUE(sheet.isNumber(5, 6));
    EXPECT_FALSE(sheet.isNumber(4, 1));
    EXPECT_TRUE(QFileInfo(sheet.path).fileName().startsWith(QStringLiteral("Остатки на складе ")));
}

// Some servers still prepare the statement in the DOS code page: shown and
// exported readable all the same.
TEST_F(TableExports, ATurnoverStatementInTheDosCodePageReadsTheSame) {
    const QString text = QStringLiteral("Оборотная ведомость движения товара\r\n"
                                        "Артикул  Наименование           Приход\r\n"
                                        "1001     Чай чёрный, пачка         10\r\n");
    // cp866 bytes of the text, written out by hand from its letters.
    QByteArray bytes;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            bytes += char(u);
        else if (u >= 0x0410 && u <= 0x043F)
            bytes += char(0x80 + (u - 0x0410));
        else if (u >= 0x0440 && u <= 0x044F)
            bytes += char(0xE0 + (u - 0x0440));
        else if (u == 0x0451)
            bytes += char(0xF1);
        else
            FAIL() << "no cp866 byte for U+" << std::hex << int(u);
    }
    TestFiles::write(programDir + QStringLiteral("v101.txt"), bytes);
    terminal->turnover().activate();
    EXPECT_EQ(terminal->turnover().lines(), FileIo::splitLines(text));
    terminal->turnover().report();
    EXPECT_EQ(sheet.rows().value(2), QStringList({"1001     Чай чёрный, пачка         10"}));

    // The same statement in cp1251 stays as it is.
    TestFiles::write(programDir + QStringLiteral("v101.txt"), TextCodec::toCp1251(text));
    terminal->turnover().activate();
    EXPECT_EQ(terminal->turnover().lines(), FileIo::splitLines(text));
}

} // namespace
