#include "payments/PaymentJournal.h"
#include "support/OfflineProgram.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "support/FakePrinter.h"
#include "support/FakeSpreadsheet.h"
#include "support/LoopbackServer.h"
#include "support/Program.h"
#include "support/TestFiles.h"
#include "ui/Oborvedom.h"
#include "ui/Price.h"
#include "ui/Procent.h"
#include "ui/Skladves.h"
#include "ui/Smena.h"
#include "ui/Sverka.h"
#include "ui/Unit1.h"
#include "ui/Vippoday.h"
#include "ui/Vippodnym.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class Keyboard : public OfflineProgram {
protected:
    void SetUp() override {
        writeIpIni();
        start();
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
        // The keys handed on after a hide, before the next test's windows come.
        QTest::qWait(1);
    }

    PaymentJournal& journal() { return program->terminal.journal(); }

    // A window in front with the keys, as the cashier has it.
    void bringUp(QWidget* window) {
        QTest::qWait(1); // a window hidden just now hands the keys on first
        window->show();
        window->raise();
        window->activateWindow();
        ASSERT_TRUE(waitUntil([window] { return QApplication::activeWindow() == window; }));
    }

    // Three credited payments, newest first in rows 2 to 4.
    void addPayments() {
        for (const char* id : {"t1", "t2", "t3"}) {
            journal().insertPaymentRow();
            JournalRow row{"09.12.26 14:05:09", "Оператор", "901234567", "98.00", "100", QString::fromLatin1(id),
                           "Зачислено",         "1101",     "20",        "1",     SendFlag::Final};
            journal().setPaymentRow(PaymentJournal::FirstDataRow, row);
        }
    }

    template <typename W> W* named(QWidget* in, const char* name) {
        return in->findChild<W*>(QString::fromLatin1(name));
    }
};

// Tab and Shift+Tab take the focus out of the grid, wherever the grid is, and
// leave its selection where it was; the arrows still move inside.
TEST_F(Keyboard, TabAndShiftTabLeaveEveryGridAndKeepItsSelection) {
    addPayments();
    auto* pages = named<QTabWidget>(forms->winMain, "PageControl1");
    struct Case {
        const char* what;
        QWidget* window;
        QAbstractItemView* grid;
        int page; // of the main window; -1 for a window of its own
    };
    auto* reconcileTable = named<QTableWidget>(forms->Reconcile, "OnlyInJournal");
    reconcileTable->setRowCount(3);
    reconcileTable->setItem(1, 0, new QTableWidgetItem(QStringLiteral("x")));
    const Case cases[] = {
        {"journal", forms->winMain, named<QAbstractItemView>(forms->winMain, "Grid"), 0},
        {"statistics", forms->winMain, named<QAbstractItemView>(forms->winMain, "BalGrid"), 1},
        {"month statement", forms->VipMon, named<QAbstractItemView>(forms->VipMon, "BalGrid"), -1},
        {"day statement", forms->VipDay, named<QAbstractItemView>(forms->VipDay, "BalGrid"), -1},
        {"price list", forms->Priceall, forms->Priceall->grid(), -1},
        {"stock", forms->Sklad, forms->Sklad->grid(), -1},
        {"reconciliation", forms->Reconcile, reconcileTable, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NE(c.grid, nullptr);
        if (c.page >= 0)
            pages->setCurrentIndex(c.page);
        bringUp(c.window);
        ASSERT_TRUE(c.grid->isVisible());
        for (Qt::KeyboardModifier shift : {Qt::NoModifier, Qt::ShiftModifier}) {
            c.grid->setFocus(Qt::OtherFocusReason);
            ASSERT_TRUE(c.grid->hasFocus());
            const QModelIndex before = c.grid->currentIndex();
            QTest::keyClick(c.grid, Qt::Key_Tab, shift);
            EXPECT_FALSE(c.grid->hasFocus()) << "Shift: " << (shift == Qt::ShiftModifier);
            EXPECT_EQ(c.grid->currentIndex(), before);
        }
        if (c.window != forms->winMain)
            c.window->hide();
    }

    // Inside, the keys still move the selection: the journal's newest row to the next one.
    pages->setCurrentIndex(0);
    bringUp(forms->winMain);
    auto* grid = named<QAbstractItemView>(forms->winMain, "Grid");
    journal().setCurrentRow(PaymentJournal::FirstDataRow);
    grid->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(journal().currentRow(), PaymentJournal::FirstDataRow + 1);
    EXPECT_TRUE(grid->hasFocus());
}

// "Подробно" is reached from the statistics grid with the keys alone.
TEST_F(Keyboard, TabFromTheStatisticsGridReachesItsButtons) {
    named<QTabWidget>(forms->winMain, "PageControl1")->setCurrentIndex(1);
    bringUp(forms->winMain);
    auto* grid = named<QAbstractItemView>(forms->winMain, "BalGrid");
    auto* refresh = named<QPushButton>(forms->winMain, "BitBtn3");
    grid->setFocus(Qt::OtherFocusReason);
    bool reached = false;
    for (int i = 0; i < 4 && !reached; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached = refresh->hasFocus();
    }
    EXPECT_TRUE(reached);
}

TEST_F(Keyboard, EnterPressesTheFocusedButtonInTheMainWindowAndInADialog) {
    named<QTabWidget>(forms->winMain, "PageControl1")->setCurrentIndex(1);
    bringUp(forms->winMain);
    // A push button and a tool button of the main window, which has no default button.
    auto* report = named<QPushButton>(forms->winMain, "BitBtn6");
    QSignalSpy reported(report, &QPushButton::clicked);
    report->setFocus(Qt::TabFocusReason);
    QTest::keyClick(report, Qt::Key_Return);
    EXPECT_EQ(reported.count(), 1);
    // The export's progress window may have come up: the keys back to the main window.
    forms->Progress->hide();
    bringUp(forms->winMain);
    report->setFocus(Qt::TabFocusReason);
    QTest::keyClick(report, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(reported.count(), 2);
    forms->Progress->hide();

    named<QTabWidget>(forms->winMain, "PageControl1")->setCurrentIndex(0);
    bringUp(forms->winMain);
    auto* shift = named<QToolButton>(forms->winMain, "ToolButtonShift");
    QSignalSpy shiftAsked(forms->winMain, &TwinMain::shiftRequested);
    shift->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(shift->hasFocus());
    QTest::keyClick(shift, Qt::Key_Return);
    EXPECT_EQ(shiftAsked.count(), 1);
    // A held key presses once: its repeats do nothing.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(shift, &repeat);
    EXPECT_EQ(shiftAsked.count(), 1);
    if (forms->Smena->isVisible())
        forms->Smena->hide();

    // "Выход" of the price list: the window goes.
    bringUp(forms->Priceall);
    auto* exit = named<QPushButton>(forms->Priceall, "BitBtn2");
    exit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(exit, Qt::Key_Return);
    EXPECT_FALSE(forms->Priceall->isVisible());
}

// Enter in the goods windows' name filter asks the server nothing; on
// "Обновить" itself it does.
TEST_F(Keyboard, EnterInTheGoodsFilterPressesNothing) {
    for (ServerFedWindow* window :
         std::initializer_list<ServerFedWindow*>{forms->Priceall, forms->Sklad}) {
        SCOPED_TRACE(window->objectName().toStdString());
        bringUp(window);
        auto* refresh = named<QPushButton>(window, "BitBtn3");
        auto* filter = named<QLineEdit>(window, "Edit1");
        ASSERT_TRUE(refresh->isEnabled());
        QSignalSpy refreshed(refresh, &QPushButton::clicked);
        filter->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(filter, QStringLiteral("tea"));
        QTest::keyClick(filter, Qt::Key_Return);
        EXPECT_EQ(refreshed.count(), 0);
        EXPECT_TRUE(window->isVisible());
        refresh->setFocus(Qt::TabFocusReason);
        QTest::keyClick(refresh, Qt::Key_Return);
        EXPECT_EQ(refreshed.count(), 1);
        window->hide();
    }
}

// The window comes up with the keys on the journal, and no key leads to the
// header's buttons: an Enter meant for a payment never disconnects or quits.
TEST_F(Keyboard, TheMainWindowStartsOnTheJournalAndTabSkipsTheHeaderButtons) {
    bringUp(forms->winMain);
    auto* grid = named<QAbstractItemView>(forms->winMain, "Grid");
    EXPECT_TRUE(grid->hasFocus());
    QStringList reached;
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName();
    }
    for (const char* header : {"cmdOK", "BitBtn2", "BitBtn1"})
        EXPECT_FALSE(reached.contains(QString::fromLatin1(header))) << header;
    EXPECT_TRUE(reached.contains(QStringLiteral("Grid"))); // round the whole window and back
}

// F2 where no payment is selected prints nothing and says why; on a payment it prints.
TEST_F(Keyboard, F2OnTheTotalsRowPrintsNothingAndSaysWhy) {
    addPayments();
    bringUp(forms->winMain);
    auto* grid = named<QAbstractItemView>(forms->winMain, "Grid");
    grid->setFocus(Qt::OtherFocusReason);
    journal().setCurrentRow(journal().totalsRow());
    dialogs.shown.clear();
    QTest::keyClick(grid, Qt::Key_F2);
    EXPECT_TRUE(printer.calls.isEmpty());
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("Квитанция печатается только для платежа: выбрана строка итогов."));

    journal().setCurrentRow(PaymentJournal::FirstDataRow);
    QTest::keyClick(grid, Qt::Key_F2);
    EXPECT_TRUE(printer.calls.contains(QStringLiteral("setup")));
    EXPECT_TRUE(printer.lines().contains(QStringLiteral("Чек t3")));
}

TEST_F(Keyboard, ExitAsksOnlyWhilePaymentsWaitUnsent) {
    auto* exit = named<QPushButton>(forms->winMain, "BitBtn1");
    addPayments();
    bringUp(forms->winMain);
    dialogs.shown.clear();
    journal().setSendFlag(PaymentJournal::FirstDataRow, SendFlag::Unsent);
    journal().setSendFlag(PaymentJournal::FirstDataRow + 1, SendFlag::Unsent);
    dialogs.answer(false);
    exit->click();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.last().kind, FakeDialogs::Kind::Question);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Есть неотправленные платежи: 2. Выйти?"));
    EXPECT_TRUE(forms->winMain->isVisible());

    dialogs.answer(true);
    exit->click();
    EXPECT_EQ(dialogs.shown.size(), 2);
    EXPECT_FALSE(forms->winMain->isVisible());

    // Nothing in hand: no question.
    journal().setSendFlag(PaymentJournal::FirstDataRow, SendFlag::Final);
    journal().setSendFlag(PaymentJournal::FirstDataRow + 1, SendFlag::Final);
    bringUp(forms->winMain);
    exit->click();
    EXPECT_EQ(dialogs.shown.size(), 2);
    EXPECT_FALSE(forms->winMain->isVisible());
}

// Ctrl+PgDn and Ctrl+PgUp walk the pages and give the keys to the page itself,
// Ctrl+Tab the categories.
TEST_F(Keyboard, CtrlKeysWalkPagesAndCategoriesAndTheKeysFollowThePage) {
    auto* pages = named<QTabWidget>(forms->winMain, "PageControl1");
    auto* categories = named<QTabBar>(forms->winMain, "TabControl1");
    bringUp(forms->winMain);
    auto* grid = named<QAbstractItemView>(forms->winMain, "Grid");
    grid->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(grid, Qt::Key_PageDown, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), 2);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_TRUE(pages->currentWidget()->isAncestorOf(QApplication::focusWidget()));
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("Edit6"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), 0);

    const int before = categories->currentIndex();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(categories->currentIndex(), (before + 1) % categories->count());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(categories->currentIndex(), before);
}

// The shift window is worked by letters: each button and each labelled field
// has its own, and Alt with a field's letter puts the keys in that field.
TEST_F(Keyboard, TheShiftWindowsButtonsAndFieldsEachHaveTheirOwnLetter) {
    TSmena* window = forms->Smena;
    bringUp(window);
    QStringList letters;
    const auto letterOf = [](const QString& caption) {
        const qsizetype at = caption.indexOf(QLatin1Char('&'));
        return at < 0 || at + 1 >= caption.size() ? QString() : caption.mid(at + 1, 1).toUpper();
    };
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (!b->isVisibleTo(window) || b->text().isEmpty())
            continue;
        const QString letter = letterOf(b->text());
        EXPECT_FALSE(letter.isEmpty()) << b->objectName().toStdString();
        letters << letter;
    }
    for (QLabel* l : window->findChildren<QLabel*>()) {
        if (l->buddy() && !l->buddy()->objectName().startsWith(QStringLiteral("Denom")))
            letters << letterOf(l->text());
    }
    QStringList unique = letters;
    unique.removeDuplicates();
    EXPECT_EQ(unique.size(), letters.size()) << letters.join(QLatin1Char(' ')).toStdString();

    for (const char* field : {"CountedEdit", "NoteEdit", "CashSum", "CashNote"}) {
        auto* edit = named<QLineEdit>(window, field);
        QLabel* label = nullptr;
        for (QLabel* l : window->findChildren<QLabel*>())
            if (l->buddy() == edit)
                label = l;
        ASSERT_NE(label, nullptr) << field;
        const QChar letter = letterOf(label->text()).at(0);
        // keyClick takes ASCII keys only; a Cyrillic letter goes with its text.
        QTest::sendKeyEvent(QTest::Click, window, Qt::Key(letter.unicode()), QString(letter), Qt::AltModifier);
        EXPECT_TRUE(edit->hasFocus()) << field;
    }
}

} // namespace
