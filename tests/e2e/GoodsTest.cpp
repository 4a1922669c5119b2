#include "E2eFixture.h"

#include "goods/GoodsSale.h"
#include "goods/PriceList.h"
#include "goods/Stock.h"
#include "payments/PaymentJournal.h"
#include "platform/Locale.h"
#include "ui/Anketa.h"
#include "ui/Price.h"
#include "ui/Skladves.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTabBar>
#include <QTableView>

namespace {

using Col = PaymentJournal::Column;

class GoodsEndToEnd : public EndToEnd {
protected:
    void SetUp() override {
        EndToEnd::SetUp();
        // The chooser shown without blocking, so the test can pick in it.
        forms->Sklad->setShowFunction([](TSklad& w) {
            w.show();
            w.activateWindow();
        });
        logIn();
        find<QTabBar>(&main(), "TabControl1")->setCurrentIndex(6); // "Товары"
    }

    void click(QWidget* in, const char* name) {
        auto* b = find<QPushButton>(in, name);
        ASSERT_TRUE(b) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    PaymentJournal& journal() { return terminal().journal(); }
    Stock& stock() { return terminal().stock(); }
    int stockRow(const QString& article) {
        for (int r = 0; r < stock().rowCount(); ++r) {
            if (stock().cell(r, Stock::Article) == article)
                return r;
        }
        return -1;
    }
    bool passEnded(int count) {
        return dialogs.texts().count(QStringLiteral("Синхронизация платежей успешно закончена!")) >= count;
    }
};

TEST_F(GoodsEndToEnd, ASaleChosenFromTheStockIsDeferredThenAnotherFiledAndBothReachTheSimulator) {
    const QSize mainSize = main().size();
    click(&main(), "BitBtn13");
    TProdaja* window = forms->Prodaja;
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Продажа товара. Новая операция"));
    EXPECT_EQ(window->field(GoodsSale::Shifr)->text(), QStringLiteral("101_261209140509"));

    // "..." opens the stock as the chooser; the list comes from the simulator.
    click(window, "Button1");
    TSklad* chooser = forms->Sklad;
    ASSERT_TRUE(chooser->isVisible());
    auto* toSale = find<QPushButton>(chooser, "BitBtn4");
    // Its activation loads the list and shows "К форме продаж".
    EXPECT_TRUE(waitUntil([&] { return toSale->isVisible(); }));
    ASSERT_TRUE(waitUntil([&] { return stockRow(QStringLiteral("4001")) >= 0; }));
    const int row = stockRow(QStringLiteral("4001"));
    const QString before = stock().cell(row, Stock::Quantity);
    shot(chooser, QStringLiteral("stock-chooser"));
    chooser->grid()->selectRow(row);
    QTest::mouseClick(toSale, Qt::LeftButton);
    EXPECT_FALSE(chooser->isVisible());
    EXPECT_EQ(window->field(GoodsSale::KodTovar)->text(), QStringLiteral("4001"));
    EXPECT_EQ(window->field(GoodsSale::Invoice)->text(), QStringLiteral("Н-0101"));
    EXPECT_EQ(window->field(GoodsSale::Cena)->text(),
              QStringLiteral("12") + Locale::decimalSeparator() + "50");

    // The quantity gives the sum; the customer is typed on the other tab.
    QTest::keyClicks(window->field(GoodsSale::Kolich), QStringLiteral("2"));
    EXPECT_EQ(window->field(GoodsSale::Suma)->text(),
              QStringLiteral("25") + Locale::decimalSeparator() + "00");
    type(window->field(GoodsSale::Family), QStringLiteral("Рахимов&"));
    EXPECT_EQ(window->field(GoodsSale::Family)->text(), QStringLiteral("Рахимов")); // "&" refused
    QTest::keyClicks(window->field(GoodsSale::Osobiuslov), QStringLiteral("927001122"));
    shot(window, QStringLiteral("sale-window"));

    click(window, "BitBtn4"); // ОТЛОЖИТЬ
    EXPECT_TRUE(window->isVisible());
    const QString deferred = journal().cell(2, Col::TransactionId);
    EXPECT_EQ(deferred, QStringLiteral("101_261209140509"));
    EXPECT_EQ(journal().cell(2, Col::Note), QStringLiteral("отложено"));
    EXPECT_NE(window->field(GoodsSale::Shifr)->text(), deferred);
    // Nothing of the deferred sale is left to be filed a second time.
    for (const GoodsSale::Field f :
         {GoodsSale::KodTovar, GoodsSale::Kolich, GoodsSale::Suma, GoodsSale::Family, GoodsSale::Osobiuslov})
        EXPECT_TRUE(window->field(f)->text().isEmpty()) << GoodsSale::objectName(f);

    // The next sale: the same item again, one of it.
    click(window, "Button1");
    ASSERT_TRUE(chooser->isVisible());
    chooser->grid()->selectRow(row);
    QTest::mouseClick(toSale, Qt::LeftButton);
    QTest::keyClicks(window->field(GoodsSale::Kolich), QStringLiteral("1"));
    click(window, "BitBtn2"); // Записать
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(waitUntil([&] { return passEnded(1); }));
    const QString filed = journal().cell(2, Col::TransactionId);
    EXPECT_NE(filed, deferred);
    EXPECT_EQ(journal().cell(2, Col::PaymentType), QStringLiteral("T"));
    EXPECT_EQ(journal().cell(2, Col::SendFlag), QStringLiteral("1"));
    // The whole questionnaire in the transmission caption does not widen the main window.
    EXPECT_EQ(main().size(), mainSize);

    // The deferred sale goes with "Провести платеж".
    journal().setCurrentRow(3);
    dialogs.answer(true);
    find<QAction>(&main(), "N7")->trigger();
    ASSERT_TRUE(waitUntil([&] { return passEnded(2); }));
    find<QAction>(&main(), "N4")->trigger(); // "Обновить статусы"
    ASSERT_TRUE(waitUntil([&] { return passEnded(3); }));
    EXPECT_EQ(journal().cell(2, Col::Note), QStringLiteral("Зачислено"));
    EXPECT_EQ(journal().cell(3, Col::Note), QStringLiteral("Зачислено"));
    shot(&main(), QStringLiteral("journal-sales"));

    QStringList codes;
    for (const sim::PaymentRecord& p : server.payments()) {
        EXPECT_EQ(p.paymentType, QStringLiteral("T"));
        EXPECT_EQ(p.article, QStringLiteral("4001"));
        codes << p.transaction;
    }
    codes.sort();
    EXPECT_EQ(codes, QStringList({deferred, filed}));

    // The main window's stock button ends pick mode; the list asked again shows
    // the three sold fewer.
    click(&main(), "BitBtn10");
    EXPECT_FALSE(terminal().goodsSale().pickMode());
    EXPECT_TRUE(waitUntil([&] { return !toSale->isVisible(); }));
    click(chooser, "BitBtn3");
    ASSERT_TRUE(waitUntil([&] { return find<QPushButton>(chooser, "BitBtn3")->isEnabled(); }));
    EXPECT_EQ(stock().cell(stockRow(QStringLiteral("4001")), Stock::Quantity).toInt(), before.toInt() - 3);
}

TEST_F(GoodsEndToEnd, TheChooserBringsAnOpenStockWindowForwardInPickMode) {
    click(&main(), "BitBtn10");
    TSklad* stockWindow = forms->Sklad;
    ASSERT_TRUE(stockWindow->isVisible());
    EXPECT_FALSE(find<QPushButton>(stockWindow, "BitBtn4")->isVisible());
    ASSERT_TRUE(waitUntil([&] { return stockRow(QStringLiteral("4002")) >= 0; }));

    click(&main(), "BitBtn13");
    bool shownAgain = false;
    forms->Sklad->setShowFunction([&](TSklad&) { shownAgain = true; });
    click(forms->Prodaja, "Button1");
    EXPECT_FALSE(shownAgain); // not made modal a second time
    EXPECT_TRUE(dialogs.shown.isEmpty());
    // Its activation shows "К форме продаж".
    EXPECT_TRUE(waitUntil([&] { return find<QPushButton>(stockWindow, "BitBtn4")->isVisible(); }));
    stockWindow->grid()->selectRow(stockRow(QStringLiteral("4002")));
    // A view takes a double-click on the row its first click pressed.
    QWidget* cells = stockWindow->grid()->viewport();
    const QPoint at = stockWindow->grid()->visualRect(stockWindow->grid()->currentIndex()).center();
    QTest::mouseClick(cells, Qt::LeftButton, {}, at);
    QTest::mouseDClick(cells, Qt::LeftButton, {}, at);
    EXPECT_FALSE(stockWindow->isVisible());
    EXPECT_EQ(forms->Prodaja->field(GoodsSale::KodTovar)->text(), QStringLiteral("4002"));

    // Pick mode stays on: the price list hands over three fields.
    click(&main(), "BitBtn14");
    TPriceall* prices = forms->Priceall;
    ASSERT_TRUE(waitUntil([&] { return terminal().priceList().rowCount() >= 10; }));
    shot(prices, QStringLiteral("price-list"));
    prices->grid()->selectRow(7); // "4008", the price written with a comma
    QTest::keyClick(prices->grid(), Qt::Key_Return);
    EXPECT_FALSE(prices->isVisible());
    EXPECT_EQ(forms->Prodaja->field(GoodsSale::KodTovar)->text(), QStringLiteral("4008"));
    EXPECT_EQ(forms->Prodaja->field(GoodsSale::Invoice)->text(),
              QStringLiteral("Н-0101")); // the stock pick's
    EXPECT_EQ(forms->Prodaja->field(GoodsSale::Cena)->text(),
              QStringLiteral("25") + Locale::decimalSeparator() + "00");

    // The filter: ticked and typed, case-sensitive.
    click(&main(), "BitBtn14");
    find<QCheckBox>(prices, "CheckBox1")->click();
    EXPECT_EQ(terminal().priceList().rowCount(), 0);
    type(find<QLineEdit>(prices, "Edit1"), QStringLiteral("Карта"));
    EXPECT_EQ(terminal().priceList().rowCount(), 2);
    shot(prices, QStringLiteral("price-list-filtered"));
}

// By the keys alone: the chooser opens with its grid taking the arrows, Enter
// takes the item, and the sale window has the keys again for the quantity.
TEST_F(GoodsEndToEnd, TheChooserIsWorkedByTheKeysAndGivesThemBackToTheSale) {
    click(&main(), "BitBtn13");
    TProdaja* sale = forms->Prodaja;
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == sale; }));
    TSklad* chooser = forms->Sklad;
    click(sale, "Button1"); // "..."
    ASSERT_TRUE(waitUntil([&] { return chooser->grid()->hasFocus() && stockRow(QStringLiteral("4002")) > 0; }));
    chooser->grid()->selectRow(stockRow(QStringLiteral("4002")) - 1);
    QTest::keyClick(chooser->grid(), Qt::Key_Down);
    QTest::keyClick(chooser->grid(), Qt::Key_Return);
    EXPECT_FALSE(chooser->isVisible());
    EXPECT_EQ(sale->field(GoodsSale::KodTovar)->text(), QStringLiteral("4002"));
    EXPECT_TRUE(waitUntil([&] { return QApplication::activeWindow() == sale; }));
}

} // namespace
