#include "goods/GoodsSale.h"
#include "goods/PriceList.h"
#include "support/OfflineProgram.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "support/FakePrinter.h"
#include "support/FakeSpreadsheet.h"
#include "support/LoopbackServer.h"
#include "support/Program.h"
#include "support/TestFiles.h"
#include "ui/Anketa.h"
#include "ui/Oborvedom.h"
#include "ui/Price.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The goods windows as the cashier moves between them: not connected, so
// every request is refused with its box.
class GoodsWindows : public OfflineProgram {
protected:
    void SetUp() override {
        writeIpIni();
        start();
    }
    void TearDown() override {
        dialogs.onBox = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
        QTest::qWait(1);
    }

    // The keys to a window, as a click on it gives them.
    void visit(QWidget* window) {
        window->raise();
        window->activateWindow();
        ASSERT_TRUE(waitUntil([window] { return QApplication::activeWindow() == window; }));
        QTest::qWait(1);
    }
    void bringUpMain() {
        forms->winMain->show();
        visit(forms->winMain);
    }
    // Each box comes up as a real modal window over the active one and is
    // closed after a moment, as a cashier's Enter would; closing it hands the
    // activation back to the window under it. Past a few boxes the boxes stay
    // unseen, so a loop fails the test instead of running for ever.
    void realBoxes() {
        dialogs.onBox = [this](const FakeDialogs::Shown&) {
            if (dialogs.shown.size() > 3)
                return;
            QDialog box(QApplication::activeWindow());
            box.setWindowModality(Qt::ApplicationModal);
            QTimer::singleShot(30, &box, &QDialog::accept);
            box.exec();
        };
    }
    QString pricesPath() const { return programDir() + QStringLiteral("p.txt"); }
};

TEST_F(GoodsWindows, ThePriceListAndTheTurnoverReloadTheirFilesOnEveryVisit) {
    TestFiles::write(pricesPath(), TestFiles::cp("01.12.2026#\r\n4001#Бумага#12.50#\r\n"));
    TestFiles::write(programDir() + QStringLiteral("v.txt"), TestFiles::cp("ВЕДОМОСТЬ 1\r\n"));
    bringUpMain();
    forms->Priceall->openFromMain();
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == forms->Priceall; }));
    QTest::qWait(1);
    PriceList& prices = program->terminal.priceList();
    EXPECT_EQ(prices.rowCount(), 1);
    EXPECT_EQ(forms->Priceall->activations(), 1); // opening is one visit, not two

    forms->OborVed->openFromMain();
    auto* view = forms->OborVed->findChild<QPlainTextEdit*>(QStringLiteral("Vedomost"));
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == forms->OborVed; }));
    EXPECT_EQ(view->toPlainText(), QStringLiteral("ВЕДОМОСТЬ 1"));

    // Both files change while the cashier is elsewhere; each window shows the
    // new one when the keys come back to it.
    TestFiles::write(pricesPath(), TestFiles::cp("02.12.2026#\r\n4001#Бумага#12.50#\r\n4002#Кабель#25#\r\n"));
    TestFiles::write(programDir() + QStringLiteral("v.txt"), TestFiles::cp("ВЕДОМОСТЬ 2\r\n"));
    visit(forms->winMain);
    EXPECT_EQ(prices.rowCount(), 1);
    visit(forms->Priceall);
    EXPECT_EQ(prices.rowCount(), 2);
    EXPECT_EQ(prices.stamp(), QStringLiteral("02.12.2026"));
    EXPECT_EQ(forms->Priceall->activations(), 2);
    visit(forms->OborVed);
    EXPECT_EQ(view->toPlainText(), QStringLiteral("ВЕДОМОСТЬ 2"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// No file and no connection: the visit asks, is refused with a box, and the
// box closing gives the window its activation back. That is the same visit:
// one box, not box after box.
TEST_F(GoodsWindows, ABoxOfTheLoaderClosingIsNoNewVisit) {
    realBoxes();
    bringUpMain();
    forms->Priceall->openFromMain();
    ASSERT_TRUE(waitUntil([&] { return dialogs.shown.size() >= 1; }));
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == forms->Priceall; }));
    QTest::qWait(200);
    EXPECT_EQ(dialogs.texts(), QStringList({"Необходимо зарегистрироваться!"}));

    // "Данные отсуствуют!!!" gives the activation back just the same.
    TestFiles::write(pricesPath(), TestFiles::cp("01.12.2026#\r\n"));
    visit(forms->winMain);
    visit(forms->Priceall);
    QTest::qWait(200);
    EXPECT_EQ(dialogs.texts(), QStringList({"Необходимо зарегистрироваться!", "Данные отсуствуют!!!"}));
    EXPECT_EQ(QApplication::activeWindow(), forms->Priceall);

    // A box and then the keys to another window: the next visit loads again.
    visit(forms->winMain);
    visit(forms->Priceall);
    QTest::qWait(100);
    EXPECT_EQ(dialogs.shown.size(), 3);
}

// The sale window stays over the windows the cashier turns to, and leaves
// them the keys; a box comes over it.
TEST_F(GoodsWindows, TheSaleWindowStaysOverTheOthersAndLeavesThemTheKeys) {
    bringUpMain();
    TProdaja* sale = forms->Prodaja;
    program->terminal.goodsSale().open();
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == sale; }));
    const int before = sale->raisedOver();

    visit(forms->winMain);
    EXPECT_EQ(sale->raisedOver(), before + 1);
    EXPECT_EQ(QApplication::activeWindow(), forms->winMain);
    EXPECT_TRUE(sale->isVisible());

    // A modal box goes over it: the sale window is not put back on top.
    QDialog box(forms->winMain);
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    box.activateWindow();
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == &box; }));
    EXPECT_EQ(sale->raisedOver(), before + 1);
    box.hide();
    QTest::qWait(20);

    // Back on the sale window, the keys are its own.
    visit(sale);
    QTest::keyClicks(sale->field(GoodsSale::Kolich), QStringLiteral("3"));
    EXPECT_EQ(sale->field(GoodsSale::Kolich)->text(), QStringLiteral("3"));
}

} // namespace
