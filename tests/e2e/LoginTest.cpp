#include "E2eFixture.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QLabel>
#include <QToolButton>

namespace {

TEST_F(EndToEnd, GreetingLoginAndAcceptanceInTheRealWindows) {
    logIn();
    Terminal& t = terminal();
    EXPECT_EQ(t.status().text(StatusPanel::State), QStringLiteral("Успешная регистрация!!!"));
    EXPECT_EQ(find<QLabel>(&main(), "StatusPanel7")->text(), QStringLiteral("101"));
    EXPECT_EQ(find<QLabel>(&main(), "Label2")->text(), QStringLiteral("101"));
    EXPECT_EQ(find<QLabel>(forms->LoginPasw, "Label3")->text(), QStringLiteral("Успешная регистрация"));
    EXPECT_TRUE(find<QWidget>(forms->LoginPasw, "Panel3")->isVisible());
    // The greeting set the fake clock only; the login date dates transaction ids.
    EXPECT_EQ(t.session().loginDateTime().date(), QDate(2026, 12, 9));
    // Settings and catalogue came from the server and were applied.
    EXPECT_TRUE(QFile::exists(programDir + QStringLiteral("101/setting.ini")));
    EXPECT_TRUE(QFile::exists(programDir + QStringLiteral("101cert.key")));
    EXPECT_NE(find<QLabel>(&main(), "Label5")->text(), QStringLiteral("---"));
    EXPECT_TRUE(find<QToolButton>(&main(), "Buton1")->isVisible());
    // Today's journal is the one shown.
    EXPECT_EQ(t.days().shownDay(), QDate(2026, 12, 9));
    EXPECT_EQ(t.journal().rowCount(), 5);
    // The deposit and the news arrived with the login.
    ASSERT_TRUE(waitUntil([&] { return !t.status().text(StatusPanel::Deposit).isEmpty(); }));
    EXPECT_EQ(t.status().text(StatusPanel::Deposit), QStringLiteral("15000.00"));
    ASSERT_TRUE(waitUntil([&] { return !main().newsTicker().text().trimmed().isEmpty(); }));
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.texts().join(QLatin1Char('|')).toStdString();
    shot(&main(), QStringLiteral("main-after-login"));
    shot(forms->LoginPasw, QStringLiteral("login-success"));
}

// By the keys alone: the opening float question comes over the login window's
// success panel with the keys; once it is answered they are on "Закрыть", and
// its Enter gives them to the main window.
TEST_F(EndToEnd, TheFloatQuestionTakesTheKeysThenCloseHasThem) {
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == forms->LoginPasw; }));
    bool questionHadTheKeys = false;
    dialogs.onBox = [&](const FakeDialogs::Shown& s) {
        if (s.kind != FakeDialogs::Kind::AskText)
            return;
        // As the real question comes up: modal, over the window that has the keys.
        QDialog question(QApplication::activeWindow());
        question.setWindowModality(Qt::ApplicationModal);
        QTimer::singleShot(0, &question, [&] {
            questionHadTheKeys = waitUntil([&] { return QApplication::activeWindow() == &question; });
            question.accept();
        });
        question.exec();
    };
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("101"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("kassa2026"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return dialogs.texts().contains(QStringLiteral("Размен в кассе на начало смены")); }));
    EXPECT_TRUE(questionHadTheKeys);
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == forms->LoginPasw; }));
    ASSERT_TRUE(QApplication::focusWidget());
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("BitBtn3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(forms->LoginPasw->isVisible());
    EXPECT_TRUE(waitUntil([&] { return QApplication::activeWindow() == &main(); }));
    dialogs.onBox = nullptr;
}

TEST_F(EndToEnd, ManyGreetingsOpenOneLoginWindow) {
    ASSERT_TRUE(waitUntil([&] { return forms->LoginPasw->isVisible(); }));
    QTest::keyClicks(find<QLineEdit>(forms->LoginPasw, "Edit1"), QStringLiteral("10"));
    int greetings = 0;
    QObject::connect(&terminal().account(), &AccountSession::greeted, [&] { ++greetings; });
    for (int i = 0; i < 30; ++i)
        server.sendMessage(QStringLiteral("d09.12.26#14:05"));
    ASSERT_TRUE(waitUntil([&] { return greetings == 30; }));
    int loginWindows = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        loginWindows += qobject_cast<TLoginPasw*>(w) && w->isVisible() ? 1 : 0;
    EXPECT_EQ(loginWindows, 1);
    // The same window, with what the cashier had typed.
    EXPECT_EQ(find<QLineEdit>(forms->LoginPasw, "Edit1")->text(), QStringLiteral("10"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(EndToEnd, DepositCheckAndNewsTicker) {
    logIn();
    Terminal& t = terminal();
    server.setDeposit(QStringLiteral("101"), 1234.5);
    QTest::mouseClick(find<QToolButton>(&main(), "ToolButton4"), Qt::LeftButton);
    ASSERT_TRUE(
        waitUntil([&] { return t.status().text(StatusPanel::Deposit) == QStringLiteral("1234.50"); }));
    EXPECT_TRUE(find<QToolButton>(&main(), "ToolButton4")->isEnabled());
    for (int i = 0; i < 60; ++i)
        main().NewsTimeTimer();
    EXPECT_EQ(find<QLabel>(&main(), "News")->text(), main().newsTicker().text().left(60));
    shot(&main(), QStringLiteral("main-news-deposit"));
}

TEST_F(EndToEnd, RefusedLoginShowsTheServersWordsAndTheFormAgain) {
    ASSERT_TRUE(waitUntil([&] { return forms->LoginPasw->isVisible(); }));
    QTest::keyClicks(find<QLineEdit>(forms->LoginPasw, "Edit1"), QStringLiteral("101"));
    QTest::keyClicks(find<QLineEdit>(forms->LoginPasw, "Edit2"), QStringLiteral("wrong"));
    QTest::mouseClick(find<QPushButton>(forms->LoginPasw, "BitBtn1"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !dialogs.shown.isEmpty(); }));
    EXPECT_EQ(dialogs.last().title, QStringLiteral("Выполнение формы"));
    EXPECT_FALSE(terminal().session().registered());
}

} // namespace
