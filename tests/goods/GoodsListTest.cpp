#include "Separator.h"
#include "goods/GoodsSale.h"
#include "goods/PriceList.h"
#include "goods/Stock.h"
#include "support/LinkedTerminal.h"

#include <QSignalSpy>

namespace {

TEST(GoodsLines, PriceAndStockLinesAreCutFieldByField) {
    struct Case {
        const char* line;
        std::initializer_list<const char*> price; // article, name, price
        std::initializer_list<const char*> stock; // article, invoice, name, quantity, unit price, amount
    };
    const Case cases[] = {
        {"4001#Бумага#12.50#", {"4001", "Бумага", "12_50"}, {"4001", "Бумага", "12.50", "", "", ""}},
        {"4001#Бумага#12,50#", {"4001", "Бумага", "12_50"}, {"4001", "Бумага", "12,50", "", "", ""}},
        // the first "." and then the first "," become the separator
        {"4001#Н-1#1.234,5#6,7#", {"4001", "Н-1", "1_234_5"}, {"4001", "Н-1", "1.234,5", "6_7", "0_00", ""}},
        // a field without its "#" is empty, and so is every later one
        {"4001#Бумага", {"4001", "", ""}, {"4001", "", "", "", "", ""}},
        {"no marks at all", {"", "", ""}, {"", "", "", "", "", ""}},
        {"", {"", "", ""}, {"", "", "", "", "", ""}},
        // anything after the last field is ignored
        {"4001#Н-1#Бумага#4#10#x#y", {"4001", "Н-1", "Бумага"}, {"4001", "Н-1", "Бумага", "4", "2_50", "10"}},
        {"4001#Н-1#Бумага#4.5#10,00#",
         {"4001", "Н-1", "Бумага"},
         {"4001", "Н-1", "Бумага", "4_5", "2_22", "10_00"}},
    };
    for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
        Separator use(separator);
        for (const Case& c : cases) {
            SCOPED_TRACE(
                QStringLiteral("%1 under '%2'").arg(QString::fromUtf8(c.line)).arg(separator).toStdString());
            EXPECT_EQ(PriceList::item(QString::fromUtf8(c.line)), sep(c.price));
            EXPECT_EQ(Stock::item(QString::fromUtf8(c.line)), sep(c.stock));
        }
    }
}

TEST(GoodsLines, UnitPriceIsExactWithHalvesAwayFromZero) {
    struct Case {
        const char* quantity;
        const char* amount;
        const char* unitPrice;
    };
    const Case cases[] = {
        {"4", "10", "2_50"},
        {"0", "10", ""},
        {"0_000", "10", ""},
        {"x", "10", ""},
        {"4", "x", "0_00"},
        {"8", "1", "0_13"},
        {"8", "-1", "-0_13"},
        {"1", "1_005", "1_01"},
        {"3", "0_35", "0_12"},
        {"-2", "5", "-2_50"},
        {"1", "0_00005", "0_00"},
        {"1", "123456789012_5", "123456789012_50"},
        {"1", "1234567890123", "0_00"}, // past the largest figure: not a number
    };
    for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
        Separator use(separator);
        for (const Case& c : cases) {
            const QString line = QStringLiteral("4001#Н#Товар#%1#%2#").arg(sep(c.quantity), sep(c.amount));
            SCOPED_TRACE(line.toStdString());
            EXPECT_EQ(Stock::item(line).at(Stock::UnitPrice), sep(c.unitPrice));
        }
    }
}

// The two lists of terminal 101 over a scriptable server, goods pick mode off.
class Lists : public Linked {
protected:
    void SetUp() override {
        Linked::SetUp();
        if (HasFatalFailure())
            return;
        signInAs101();
    }
    PriceList& prices() { return terminal->priceList(); }
    Stock& stock() { return terminal->stock(); }
    GoodsSale& sale() { return terminal->goodsSale(); }
    static QStringList column(const GoodsList& list, int c) {
        QStringList out;
        for (int r = 0; r < list.rowCount(); ++r)
            out << list.cell(r, c);
        return out;
    }
    void writePrices() {
        TestFiles::write(prices().filePath(), TestFiles::cp("01.12.2026 09:00#ignored#\r\n"
                                                            "4001#Бумага для чеков#12.50#\r\n"
                                                            "4002#Кабель USB#25,00#\r\n"
                                                            "400#бумага цветная#3#\r\n"));
    }
    void writeStock() {
        TestFiles::write(stock().filePath(), TestFiles::cp("09.12.2026 14:05#\r\n"
                                                           "4001#Н-0101#Бумага для чеков#4#10#\r\n"
                                                           "4002#Н-0102#Кабель USB#0#7.5#\r\n"
                                                           "4003#Н-0102#Бумага цветная#2,5#x#\r\n"));
    }
};

TEST_F(Lists, TheFilterKeepsNamesHoldingItsTextCaseSensitiveAndAnEmptyTickedFilterKeepsNothing) {
    writePrices();
    struct Case {
        bool ticked;
        const char* text;
        QStringList articles;
    };
    const Case cases[] = {
        {false, "", {"4001", "4002", "400"}},
        {false, "Кабель", {"4001", "4002", "400"}}, // unticked: the text does not matter
        {true, "", {}},
        {true, "Бумага", {"4001"}},
        {true, "бумага", {"400"}},
        {true, "USB", {"4002"}},
        {true, "нет такого", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        prices().setFilterText(QString::fromUtf8(c.text));
        prices().setFilterTicked(c.ticked);
        EXPECT_EQ(column(prices(), PriceList::Article), c.articles);
    }
    // Typing while ticked reloads at once; the prices come in the locale's form.
    prices().setFilterText(QStringLiteral("Б"));
    EXPECT_EQ(column(prices(), PriceList::Price), QStringList({sep("12_50")}));
    EXPECT_EQ(prices().stamp(), QStringLiteral("01.12.2026 09:00"));
}

TEST_F(Lists, StockUnitPricesAndTotalsOverTheShownItems) {
    writeStock();
    stock().activate();
    ASSERT_EQ(stock().rowCount(), 4);
    EXPECT_EQ(column(stock(), Stock::UnitPrice), sep({"2_50", "", "0_00", ""}));
    // The amount of a quantity of 0 still counts; one that is not a number counts 0.
    EXPECT_EQ(stock().cell(3, Stock::Name), QStringLiteral("ИТОГО"));
    EXPECT_EQ(stock().cell(3, Stock::Quantity), sep("6_50"));
    EXPECT_EQ(stock().cell(3, Stock::Amount), sep("17_50"));
    EXPECT_EQ(stock().cell(3, Stock::Article), QStringLiteral(" "));

    stock().setFilterText(QStringLiteral("Бумага"));
    stock().setFilterTicked(true);
    EXPECT_EQ(column(stock(), Stock::Article), QStringList({"4001", "4003", " "}));
    EXPECT_EQ(stock().cell(2, Stock::Quantity), sep("6_50"));
    EXPECT_EQ(stock().cell(2, Stock::Amount), sep("10_00"));
}

TEST_F(Lists, AStampAndOneEmptyLineIsOneEmptyRowAndZeroTotals) {
    TestFiles::write(stock().filePath(), "09.12.2026#\r\n\r\n");
    stock().activate();
    ASSERT_EQ(stock().rowCount(), 2);
    EXPECT_EQ(QStringList({stock().cell(0, 0), stock().cell(0, 2), stock().cell(0, 4)}),
              QStringList({"", "", ""}));
    EXPECT_EQ(stock().cell(1, Stock::Quantity), sep("0_00"));
    EXPECT_EQ(stock().cell(1, Stock::Amount), sep("0_00"));
}

TEST_F(Lists, AFileOfTheStampAloneSaysNoDataAndLeavesTheGridAsItWas) {
    writePrices();
    prices().activate();
    TestFiles::write(prices().filePath(), "10.12.2026#\r\n");
    prices().activate();
    EXPECT_EQ(dialogs.texts(), QStringList({"Данные отсуствуют!!!"}));
    EXPECT_EQ(prices().rowCount(), 3);
    EXPECT_EQ(prices().stamp(), QStringLiteral("01.12.2026 09:00"));
}

TEST_F(Lists, AMissingFileIsAskedForAndTheReplyLoads) {
    stock().activate();
    ASSERT_TRUE(server.waitForReceived("$k$"));
    EXPECT_EQ(server.received, QByteArray("Fs101$k$"));
    EXPECT_FALSE(stock().file().tableVisible());
    EXPECT_EQ(stock().rowCount(), 0);
    // Coming back to the window while the list is on its way asks no second time.
    stock().activate();
    QTest::qWait(50);
    EXPECT_EQ(server.received, QByteArray("Fs101$k$"));
    serve("fs101/" + TestFiles::cp("09.12.2026#\r\n4001#Н-1#Бумага#2#5#\r\n") + "$k$");
    EXPECT_TRUE(stock().file().tableVisible());
    EXPECT_EQ(column(stock(), Stock::UnitPrice), sep({"2_50", ""}));

    // "Обновить" of the price list; a price reply does not touch the stock.
    server.received.clear();
    prices().refresh();
    ASSERT_TRUE(server.waitForReceived("$k$"));
    EXPECT_EQ(server.received, QByteArray("Fp101$k$"));
    serve("fp101/" + TestFiles::cp("01.12.2026#\r\n4001#Бумага#1#\r\n") + "$k$");
    EXPECT_EQ(prices().rowCount(), 1);
    EXPECT_EQ(stock().rowCount(), 2);

    session().setRegistered(false);
    prices().refresh();
    EXPECT_EQ(dialogs.texts(), QStringList({"Необходимо зарегистрироваться!"}));
}

TEST_F(Lists, ExportLinesHaveTheTitleAnEmptyLineAndEveryRowCellByCell) {
    writePrices();
    prices().activate();
    EXPECT_EQ(
        prices().exportLines(),
        QStringList({"ПРАЙС-ЛИСТ товаров на главном складе  на 01.12.2026 09:00", "",
                     "Артикул##Наименование товара##Цена##", "4001##Бумага для чеков##" + sep("12_50") + "##",
                     "4002##Кабель USB##" + sep("25_00") + "##", "400##бумага цветная##3##"}));
    EXPECT_EQ(prices().exportColumnLimit(), 5);

    writeStock();
    stock().setFilterText(QStringLiteral("Кабель"));
    stock().setFilterTicked(true);
    EXPECT_EQ(stock().exportLines(),
              QStringList({"ОСТАТКИ НА СКЛАДЕ 101 на 09.12.2026 14:05", "",
                           "Артикул##Счет##Наименование товара##Кол-во##Цена##Сумма##",
                           "4002##Н-0102##Кабель USB##0####" + sep("7_5") + "##",
                           " ## ##ИТОГО##" + sep("0_00") + "####" + sep("7_50") + "##"}));
    EXPECT_EQ(stock().exportColumnLimit(), 8);
}

TEST_F(Lists, OnlyGoodsPickModeAndAnArticleOfFourCharactersHandAnItemToTheSale) {
    writePrices();
    writeStock();
    prices().activate();
    stock().activate();
    QSignalSpy pricePicks(&prices(), &GoodsList::picked);
    QSignalSpy stockPicks(&stock(), &GoodsList::picked);

    EXPECT_FALSE(prices().pick(0)); // mode off
    EXPECT_FALSE(stock().pick(0));
    terminal->goodsSale().setPickMode(true);
    EXPECT_FALSE(prices().pick(2)); // article "400"
    EXPECT_FALSE(stock().pick(3));  // the totals row
    EXPECT_FALSE(stock().pick(7));  // no such row
    EXPECT_EQ(pricePicks.size() + stockPicks.size(), 0);

    sale().edit(GoodsSale::Kolich, QStringLiteral("2"));
    ASSERT_TRUE(stock().pick(0));
    EXPECT_EQ(QStringList({sale().text(GoodsSale::KodTovar), sale().text(GoodsSale::Invoice),
                           sale().text(GoodsSale::NaimenTovar), sale().text(GoodsSale::Cena)}),
              QStringList({"4001", "Н-0101", "Бумага для чеков", sep("2_50")}));
    // A pick leaves the sum as the last quantity change made it.
    EXPECT_EQ(sale().text(GoodsSale::Suma), sep("0_00"));

    // The price list has no invoice: the stock's stays.
    ASSERT_TRUE(prices().pick(1));
    EXPECT_EQ(QStringList({sale().text(GoodsSale::KodTovar), sale().text(GoodsSale::Invoice),
                           sale().text(GoodsSale::NaimenTovar), sale().text(GoodsSale::Cena)}),
              QStringList({"4002", "Н-0101", "Кабель USB", sep("25_00")}));

    // The main window's stock button ends the mode; the chooser starts it.
    terminal->goodsSale().setPickMode(false);
    EXPECT_FALSE(prices().pick(1));
    QSignalSpy chooser(&sale(), &GoodsSale::chooserRequested);
    sale().chooseGoods();
    EXPECT_TRUE(terminal->goodsSale().pickMode());
    EXPECT_EQ(chooser.size(), 1);
    stock().activate();
    EXPECT_TRUE(stock().pickButtonVisible());
}

} // namespace
