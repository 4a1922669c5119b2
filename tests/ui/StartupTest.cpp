#include "support/OfflineProgram.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "support/LoopbackServer.h"
#include "support/TestFiles.h"
#include "terminal/Terminal.h"
#include "ui/Anketa.h"
#include "link/AccountSession.h"
#include "support/FakePrinter.h"
#include "support/FakeSpreadsheet.h"
#include "support/Program.h"
#include "terminal/Terminal.h"
#include "ui/Forms.h"
#include "ui/Logpas.h"
#include "ui/Oborvedom.h"
#include "ui/Oplata.h"
#include "ui/OrvantaApplication.h"
#include "ui/Otmenaplat.h"
#include "ui/Price.h"
#include "ui/Procent.h"
#include "ui/Skladves.h"
#include "ui/Unit1.h"
#include "ui/Vippoday.h"
#include "ui/Vippodnym.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class Startup : public OfflineProgram {
protected:
    void SetUp() override { writeIpIni(); }
};

TEST_F(Startup, CreatesElevenWindowsOnceInOrderOnlyTheMainOneVisible) {
    auto forms = start();
    EXPECT_EQ(forms->creationOrder,
              QStringList({"TwinMain", "TOplat", "TLoginPasw", "TVipMon", "TVipDay", "TProgress",
                           "TCancelPlat", "TPriceall", "TOborVed", "TProdaja", "TSklad"}));
    const QStringList names = {"Oplat",      "LoginPasw", "VipMon",  "VipDay",  "Progress",
                               "CancelPlat", "Priceall",  "OborVed", "Prodaja", "Sklad"};
    int found = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (names.contains(w->objectName())) {
            ++found;
            EXPECT_FALSE(w->isVisible()) << qPrintable(w->objectName());
        }
    }
    EXPECT_EQ(found, names.size());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(Startup, MainWindowHasItsControlsCaptionsAndSize) {
    auto forms = start();
    TwinMain* w = forms->winMain;
    w->show();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Orvanta версия A6.0"));
    EXPECT_EQ(w->size(), QSize(924, 668));

    struct Named {
        const char* name;
        const char* text;
    };
    for (const Named& n :
         {Named{"cmdOK", "Регистрация"}, Named{"BitBtn2", "Отключиться"}, Named{"BitBtn1", "&Выход"},
          Named{"BitBtn14", "ПРАЙС-ЛИСТ"}, Named{"BitBtn13", "Продажа товара"},
          Named{"BitBtn11", "Оборотная ведомость"}, Named{"BitBtn10", "Товары на складе"},
          Named{"BitBtn12", "Статистика продаж"}, Named{"BitBtn3", "Обновить"}, Named{"BitBtn4", "Подробно"},
          Named{"BitBtn6", "Отчет в Exel"}, Named{"Poisk", "Начать поиск"}, Named{"Button20", "Заменить"},
          Named{"Button2", "Сохранить"}}) {
        auto* b = w->findChild<QPushButton*>(QString::fromLatin1(n.name));
        ASSERT_NE(b, nullptr) << n.name;
        // The caption as shown; "Выход" keeps its own accelerator mark.
        const QString shown = QString::fromUtf8(n.text).contains(QLatin1Char('&')) ? b->text()
                                                                                     : b->text().remove(QLatin1Char('&'));
        EXPECT_EQ(shown, QString::fromUtf8(n.text)) << n.name;
    }
    EXPECT_FALSE(w->findChild<QPushButton*>(QStringLiteral("BitBtn12"))->isEnabled());
    EXPECT_EQ(w->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->toolTip(),
              QStringLiteral("Отсоедениться от сервера"));

    for (const Named& n :
         {Named{"Label9", "Приём платежей"}, Named{"Label8", "Orvanta"}, Named{"Vers", "A6.0"},
          Named{"Label1", "Терминал N"}, Named{"Label2", "---"}, Named{"Label3", "Адрес"},
          Named{"Label6", "Пользователь"}, Named{"Label19", "Служба поддержки"},
          Named{"Label43", "Номер абонента для поиска платежей:"}, Named{"Label21", "Год"}}) {
        auto* l = w->findChild<QLabel*>(QString::fromLatin1(n.name));
        ASSERT_NE(l, nullptr) << n.name;
        EXPECT_EQ(l->text(), QString::fromUtf8(n.text)) << n.name;
    }

    auto* pages = w->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    ASSERT_NE(pages, nullptr);
    QStringList pageTitles;
    for (int i = 0; i < pages->count(); ++i)
        pageTitles << pages->tabText(i);
    EXPECT_EQ(pageTitles, QStringList({"Платежи", "Статистика", "Поиск платежа", "Настройки"}));

    auto* tabs = w->findChild<QTabBar*>(QStringLiteral("TabControl1"));
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 7);
    EXPECT_EQ(tabs->tabText(3), QStringLiteral("Комунальные услуги"));
    EXPECT_EQ(tabs->tabText(6), QStringLiteral("Товары"));
    for (int i = 1; i <= 19; ++i)
        EXPECT_NE(w->findChild<QToolButton*>(QStringLiteral("Buton%1").arg(i)), nullptr) << i;
    // Until the first login the toolbar is not built.
    EXPECT_FALSE(w->findChild<QToolButton*>(QStringLiteral("Buton1"))->isVisible());

    for (const char* name :
         {"Grid",        "Memo1",       "Panel4",   "Platej",     "ProgressBar1", "ToolBar2",  "ToolButton4",
          "ToolButton5", "ToolButton7", "DateDATA", "GroupTovar", "BalGrid",      "ComboBox3", "Edit6",
          "Memo2",       "Panel5",      "Edit3",    "Edit4",      "Edit5",        "GroupBox2", "ComboBox1",
          "ComboBox2",   "News",        "Image1",   "StatusBar1", "WinSotka"})
        EXPECT_NE(w->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_FALSE(w->findChild<QWidget*>(QStringLiteral("Memo1"))->isVisible());
    EXPECT_FALSE(w->findChild<QWidget*>(QStringLiteral("Panel4"))->isVisible());
    EXPECT_FALSE(w->findChild<QWidget*>(QStringLiteral("GroupTovar"))->isVisible());

    auto* balGrid = w->findChild<QTableWidget*>(QStringLiteral("BalGrid"));
    EXPECT_EQ(balGrid->rowCount(), 13);
    EXPECT_EQ(balGrid->columnCount(), 5);
    EXPECT_EQ(balGrid->item(0, 0)->text(), QStringLiteral("Месяц"));
    EXPECT_EQ(balGrid->item(12, 0)->text(), QStringLiteral("Декабрь"));
    EXPECT_EQ(balGrid->columnWidth(0), 150);

    auto* combo1 = w->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    EXPECT_EQ(combo1->count(), 3);
    EXPECT_EQ(combo1->itemText(2), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(combo1->currentText(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(w->findChild<QComboBox*>(QStringLiteral("ComboBox2"))->currentText(),
              QString::number(program->terminal.peerPort()));
}

TEST_F(Startup, PopupMenuItemsInOrderWithShortcutsAndTheAlwaysDisabledItem) {
    auto forms = start();
    auto* menu = forms->winMain->findChild<QMenu*>(QStringLiteral("PopupMenu1"));
    ASSERT_NE(menu, nullptr);
    QStringList names;
    for (QAction* a : menu->actions())
        names << a->objectName();
    // The known items at their places; the program's own after "Открыть файл".
    EXPECT_EQ(names, QStringList({"N10", "Excel1", "N2", "N7", "N6", "N8", "N4", "N3", "N12", "N9", "N11", "N13",
                                  "ReceiptPreview", "Reconcile", "Deletions", "ShiftClose", "PrintChoose"}));
    auto action = [&](const char* n) { return forms->winMain->findChild<QAction*>(QString::fromLatin1(n)); };
    // The caption as shown, without its accelerator mark and the key column.
    auto caption = [&](const char* n) { return action(n)->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0); };
    EXPECT_EQ(caption("N10"), QStringLiteral("Квитанция"));
    EXPECT_EQ(caption("Excel1"), QStringLiteral("Сохранить в Excel"));
    EXPECT_EQ(caption("N7"), QStringLiteral("Провести платеж"));
    EXPECT_EQ(caption("N6"), QStringLiteral("Отменить платеж"));
    EXPECT_EQ(caption("N4"), QStringLiteral("Обновить статусы"));
    EXPECT_EQ(caption("N3"), QStringLiteral("Провести все платежи"));
    EXPECT_EQ(caption("N12"), QStringLiteral("Загрузка данных"));
    EXPECT_EQ(caption("N11"), QStringLiteral("Открыть файл"));
    EXPECT_EQ(action("N10")->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(action("N7")->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(action("N4")->shortcut(), QKeySequence(Qt::Key_F6));
    EXPECT_TRUE(action("N6")->text().endsWith(QStringLiteral("\tF8")));
    EXPECT_FALSE(action("N12")->isEnabled());
    for (const char* separator : {"N2", "N8", "N9", "N13"})
        EXPECT_TRUE(action(separator)->isSeparator()) << separator;

    // Every item has its own underlined letter.
    QSet<QChar> letters;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        const QString text = a->text();
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        ASSERT_TRUE(at >= 0 && at + 1 < text.size()) << a->objectName().toStdString();
        const QChar letter = text.at(at + 1).toLower();
        EXPECT_FALSE(letters.contains(letter)) << a->objectName().toStdString();
        letters.insert(letter);
    }
    // The toolbar commands show their keys.
    auto* deposit = forms->winMain->findChild<QToolButton*>(QStringLiteral("ToolButton4"));
    auto* cancel = forms->winMain->findChild<QToolButton*>(QStringLiteral("ToolButton5"));
    EXPECT_EQ(deposit->shortcut(), QKeySequence(Qt::Key_F7));
    EXPECT_TRUE(deposit->toolTip().contains(QStringLiteral("F7")));
    EXPECT_EQ(cancel->shortcut(), QKeySequence(Qt::Key_F8));
    EXPECT_TRUE(cancel->toolTip().contains(QStringLiteral("F8")));
}

TEST_F(Startup, StatusBarHasTenPanelsWithTheirTextsAndWidths) {
    auto forms = start();
    TwinMain* w = forms->winMain;
    w->show();
    // The first attempt after start shows two dots.
    const QStringList texts = {"Состояние", "Соединяюсь..", "Депозит", "",      "Лимит",
                               "",          "Терминал",     "",        "СЕРВЕР"};
    const int widths[] = {70, 200, 60, 100, 50, 100, 60, 50, 80};
    for (int i = 0; i < 9; ++i) {
        auto* panel = w->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i));
        ASSERT_NE(panel, nullptr) << i;
        EXPECT_EQ(panel->text(), texts[i]) << i;
        if (i % 2 == 0) {
            // A fixed caption is never cut: the panel is at least as wide as it needs.
            EXPECT_GE(panel->width(), widths[i]) << i;
            EXPECT_LE(panel->fontMetrics().horizontalAdvance(texts[i]) + 2 * panel->frameWidth(),
                      panel->contentsRect().width())
                << i;
        } else {
            EXPECT_EQ(panel->width(), widths[i]) << i;
        }
    }
    EXPECT_GE(w->findChild<QLabel*>(QStringLiteral("StatusPanel9"))->width(), 50);
}

TEST_F(Startup, BadPortShowsTheExceptionBoxAndTheWindowStillComesUp) {
    TestFiles::write(TestFiles::dirPath(dir) + QStringLiteral("ip.ini"),
                     "[options]\r\nip=127.0.0.1\r\nipport=abc\r\n");
    auto forms = start();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.last().kind, FakeDialogs::Kind::Exception);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("'abc' is not a valid integer value"));
    EXPECT_EQ(forms->creationOrder.size(), 11);
    // The statistics grid step came after the failing one.
    auto* balGrid = forms->winMain->findChild<QTableWidget*>(QStringLiteral("BalGrid"));
    EXPECT_EQ(balGrid->item(0, 0), nullptr);
}

TEST_F(Startup, ExitButtonClosesTheMainWindow) {
    auto forms = start();
    forms->winMain->show();
    forms->winMain->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    EXPECT_FALSE(forms->winMain->isVisible());
}

TEST_F(Startup, ExitWithTheLoginWindowOpenEndsTheProgram) {
    auto forms = start();
    forms->winMain->show();
    forms->LoginPasw->show();
    // "Выход" from inside the event loop; the loop must end by itself.
    QTimer::singleShot(0,
                       [&] { forms->winMain->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(2); }); // only if it did not
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(forms->winMain->isVisible());
}

TEST_F(Startup, ClosingTheLoginWindowGivesTheKeysBackToTheMainWindow) {
    auto forms = start();
    forms->winMain->show();
    forms->LoginPasw->show();
    forms->LoginPasw->activateWindow();
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == forms->LoginPasw; }));
    forms->LoginPasw->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click(); // "Отмена"
    // Without a window manager nothing else would: the keyboard would be dead.
    EXPECT_TRUE(waitUntil([&] { return QApplication::activeWindow() == forms->winMain; }));
}

TEST_F(Startup, EveryWindowBelongsToTheMainWindow) {
    auto forms = start();
    const QList<QWidget*> windows = {forms->Oplat,    forms->LoginPasw,  forms->VipMon,   forms->VipDay,
                                     forms->Progress, forms->CancelPlat, forms->Priceall, forms->OborVed,
                                     forms->Prodaja,  forms->Sklad};
    for (QWidget* w : windows)
        EXPECT_EQ(w->parentWidget(), forms->winMain) << qPrintable(w->objectName());
}

TEST_F(Startup, ALongNewsLineKeepsTheWindowsWidth) {
    auto forms = start();
    TwinMain* w = forms->winMain;
    w->show();
    const QString news = QString(570, QChar(0x0416)); // "Ж", a wide letter
    emit program->terminal.account().newsReceived(news);
    EXPECT_TRUE(w->NewsTime.isActive());
    EXPECT_EQ(w->NewsTime.interval(), 300);
    // What a few minutes of ticking make of it: the whole text.
    for (qsizetype i = 0; i < 14 + news.size(); ++i)
        w->NewsTimeTimer();
    QCoreApplication::processEvents();
    EXPECT_EQ(w->width(), 924);
    auto* line = w->findChild<QLabel*>(QStringLiteral("News"));
    EXPECT_LE(line->width(), 924);
    EXPECT_EQ(line->text(), QString(14, QLatin1Char(' ')) + news);
}

TEST(Application, ExceptionEscapingAHandlerIsShownAndTheProgramGoesOn) {
    auto* app = static_cast<OrvantaApplication*>(QCoreApplication::instance());
    FakeDialogs dialogs;
    app->setDialogs(&dialogs);
    QTimer::singleShot(0, [] { throw std::runtime_error("boom"); });
    bool later = false;
    // Queued after the failing handler: it runs only if the loop went on.
    QTimer::singleShot(0, [&] { later = true; });
    QCoreApplication::processEvents();
    app->setDialogs(nullptr);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.last().kind, FakeDialogs::Kind::Exception);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("boom"));
    EXPECT_TRUE(later);
}

} // namespace
