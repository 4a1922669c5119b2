#include "link/AccountSession.h"
#include "support/LinkedTerminal.h"

#include <QDir>
#include <QFile>

namespace {

class Account : public Linked {
protected:
    AccountSession& account() { return terminal->account(); }
    LoginWindowModel& loginWindow() { return account().loginWindow(); }

    // Logs in as 101 and has the server accept it.
    void acceptLogin() {
        account().login(QStringLiteral("101"), QStringLiteral("kassa2026"));
        ASSERT_TRUE(server.waitForReceived("QN$k$"));
        serve("p$k$");
        ASSERT_TRUE(session().registered());
        server.received.clear();
    }
};

TEST_F(Account, GreetingSetsTheClockTimeFirstThenDateAndShowsTheLoginForm) {
    clock.set(QDateTime(QDate(2026, 12, 9), QTime(10, 0, 17)));
    loginWindow().panel = LoginWindowModel::Panel::Waiting;
    putAPaymentOnItsWay();
    serve("d08.12.10#21:30$k$");
    EXPECT_EQ(clock.calls, QStringList({"time 21:30:00.000", "date 08.12.2010"}));
    EXPECT_EQ(session().loginDateTime(), QDateTime(QDate(2010, 12, 8), QTime(21, 30, 0)));
    EXPECT_TRUE(loginWindow().visible);
    EXPECT_EQ(loginWindow().panel, LoginWindowModel::Panel::Form);
    EXPECT_FALSE(tx().panel().visible);
}

TEST_F(Account, GreetingWithTheClockAlreadyOnThatMinuteLeavesTheClockAlone) {
    clock.set(QDateTime(QDate(2010, 12, 8), QTime(21, 30, 42)));
    serve("d08.12.10#21:30$k$");
    EXPECT_TRUE(clock.calls.isEmpty());
    EXPECT_EQ(session().loginDateTime(), QDateTime(QDate(2010, 12, 8), QTime(21, 30, 42)));
    EXPECT_TRUE(loginWindow().visible);
}

TEST_F(Account, GreetingRefusedByThePlatformStillOpensTheLogin) {
    clock.refuse = true;
    clock.set(QDateTime(QDate(2026, 12, 9), QTime(9, 15, 3)));
    serve("d08.12.10#21:30$k$");
    EXPECT_EQ(clock.calls.size(), 2);
    EXPECT_EQ(session().loginDateTime(), QDateTime(QDate(2026, 12, 9), QTime(9, 15, 3)));
    EXPECT_TRUE(loginWindow().visible);
}

TEST_F(Account, GreetingWithNonNumericPartsTouchesNeitherClockNorWindow) {
    for (const QByteArray& bad :
         {QByteArray("d08.x2.10#21:30"), QByteArray("d08.12.10#21:3O"), QByteArray("d")}) {
        dialogs.shown.clear();
        serve(bad + "$k$");
        EXPECT_TRUE(clock.calls.isEmpty()) << bad.data();
        EXPECT_FALSE(loginWindow().visible) << bad.data();
        ASSERT_EQ(dialogs.shown.size(), 1) << bad.data();
        EXPECT_EQ(dialogs.last().kind, FakeDialogs::Kind::Exception);
    }
}

TEST_F(Account, SecondGreetingBringsTheFormBack) {
    serve("d08.12.10#21:30$k$");
    account().login(QStringLiteral("101"), QStringLiteral("pw"));
    EXPECT_EQ(loginWindow().panel, LoginWindowModel::Panel::Waiting);
    EXPECT_EQ(loginWindow().waitingCaption, QStringLiteral("ЖДИТЕ... \n Соединяюсь..."));
    serve("d08.12.10#21:31$k$");
    EXPECT_EQ(loginWindow().panel, LoginWindowModel::Panel::Form);
    EXPECT_EQ(clock.calls.size(), 4);
}

TEST_F(Account, LoginWritesTheTerminalToIpIniAndSendsThreeFrames) {
    TestFiles::write(programDir + QStringLiteral("101/setting.ini"), "[options]\r\ncreate=set-5\r\n");
    TestFiles::write(programDir + QStringLiteral("operator.ini"), "[options]\r\ncreate=cat-9\r\n");
    serve("G[options]\r\ncreate=cat-9\r\n$k$"); // the stamp as the server last sent it
    account().login(QStringLiteral("101"), QStringLiteral("kassa2026"));
    ASSERT_TRUE(server.waitForReceived("QN$k$"));
    EXPECT_EQ(server.received, QByteArray("d101#kassa2026#set-5!cat-9$k$B101$k$QN$k$"));
    EXPECT_EQ(session().loginTerminal(), QStringLiteral("101"));
    EXPECT_EQ(terminal->settings().stamp(), QStringLiteral("set-5"));
    EXPECT_TRUE(link().TimerSend.isActive());
    IniFile ip(programDir + QStringLiteral("ip.ini"));
    EXPECT_EQ(ip.readString(QStringLiteral("options"), QStringLiteral("terminal"), QString()),
              QStringLiteral("101"));
}

TEST_F(Account, AcceptanceRegistersCreatesTheTerminalDirectoryAndOpensToday) {
    clock.set(QDateTime(QDate(2026, 12, 9), QTime(11, 0)));
    terminal->days().showDay(QDate(2026, 1, 1));
    account().login(QStringLiteral("101"), QStringLiteral("kassa2026"));
    ASSERT_TRUE(server.waitForReceived("QN$k$"));
    serve("p$k$");
    EXPECT_TRUE(session().registered());
    EXPECT_FALSE(link().TimerSend.isActive());
    EXPECT_TRUE(link().protocolLog().contains(QStringLiteral("Успешная регистрация")));
    EXPECT_EQ(status().text(StatusPanel::State), QStringLiteral("Успешная регистрация!!!"));
    EXPECT_EQ(status().text(StatusPanel::Terminal), QStringLiteral("101"));
    EXPECT_EQ(terminal->session().terminalNumber(), QStringLiteral("101"));
    EXPECT_EQ(session().terminalNumber(), QStringLiteral("101"));
    EXPECT_EQ(session().loginTerminal(), QStringLiteral("101"));
    EXPECT_EQ(session().journalDir(), programDir + QStringLiteral("101/"));
    EXPECT_TRUE(QDir(session().journalDir()).exists());
    EXPECT_EQ(loginWindow().panel, LoginWindowModel::Panel::Success);
    EXPECT_EQ(terminal->settings().user(), QStringLiteral("New")); // settings applied (no setting.ini yet)
    EXPECT_EQ(terminal->days().shownDay(), QDate(2026, 12, 9));
}

TEST_F(Account, AcceptanceThatCannotMakeTheDirectoryEndsTheProgram) {
    // A file where the terminal directory should be.
    TestFiles::write(programDir + QStringLiteral("101"), "not a directory");
    int terminated = 0;
    terminal->terminateProgram = [&] { ++terminated; };
    int opened = 0;
    QObject::connect(&account(), &AccountSession::accepted, [&] { ++opened; });
    account().login(QStringLiteral("101"), QStringLiteral("kassa2026"));
    ASSERT_TRUE(server.waitForReceived("QN$k$"));
    serve("p$k$");
    ASSERT_FALSE(dialogs.shown.isEmpty());
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("Ошибка при создании каталога ") + programDir + QStringLiteral("101/"));
    EXPECT_EQ(terminated, 1);
    EXPECT_EQ(opened, 0);
}

TEST_F(Account, DepositCheckOnlyWhenRegistered) {
    account().checkDeposit();
    QTest::qWait(30);
    EXPECT_TRUE(server.received.isEmpty());
    EXPECT_TRUE(terminal->account().depositCheckEnabled());

    acceptLogin();
    account().checkDeposit();
    ASSERT_TRUE(server.waitForReceived("$k$"));
    EXPECT_EQ(server.received, QByteArray("B101$k$"));
    EXPECT_FALSE(terminal->account().depositCheckEnabled());
    EXPECT_TRUE(link().TimerSend.isActive());
}

TEST_F(Account, DepositReplyFillsPanelsFieldByField) {
    struct Case {
        QByteArray reply;
        QString deposit;
        QString limit;
    };
    const Case cases[] = {
        {"Bb1500.00#l300.00#", QStringLiteral("1500.00"), QStringLiteral("300.00")},
        {"Bb99.5#", QStringLiteral("99.5"), QStringLiteral("300.00")}, // limit unchanged
        {"Bx1#y2#", QStringLiteral("99.5"), QStringLiteral("300.00")}, // wrong markers
        {"Bl7#b8#", QStringLiteral("99.5"), QStringLiteral("300.00")}, // markers in the wrong order
        {"B#l0#", QStringLiteral("99.5"), QStringLiteral("0")},        // empty first field
    };
    session().setRegistered(true);
    for (const Case& c : cases) {
        account().checkDeposit();
        ASSERT_FALSE(terminal->account().depositCheckEnabled());
        ASSERT_TRUE(link().TimerSend.isActive());
        serve(c.reply + "$k$");
        EXPECT_EQ(status().text(StatusPanel::Deposit), c.deposit) << c.reply.data();
        EXPECT_EQ(status().text(StatusPanel::Limit), c.limit) << c.reply.data();
        EXPECT_TRUE(terminal->account().depositCheckEnabled()) << c.reply.data();
        EXPECT_FALSE(link().TimerSend.isActive()) << c.reply.data();
    }
}

TEST_F(Account, PasswordChangeRules) {
    account().changePassword(QStringLiteral("kassa2026"), QStringLiteral("newpass123"),
                             QStringLiteral("newpass123"));
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Произведите регистрацию!!"));

    acceptLogin();
    struct Case {
        const char* old;
        const char* fresh;
        const char* repeated;
        bool sent;
    };
    const Case cases[] = {
        {"kassa2026", "12345678", "12345678", false},   // 8 characters are too few
        {"wrong2026", "123456789", "123456789", false}, // old password is not the login one
        {"kassa2026", "123456789", "123456780", false}, // repeat differs
        {"kassa2026", "123456789", "123456789", true},  // 9 are enough
    };
    for (const Case& c : cases) {
        dialogs.shown.clear();
        server.received.clear();
        ASSERT_TRUE(terminal->account().passwordChangeEnabled());
        account().changePassword(QString::fromUtf8(c.old), QString::fromUtf8(c.fresh),
                                 QString::fromUtf8(c.repeated));
        if (c.sent) {
            ASSERT_TRUE(server.waitForReceived("$k$"));
            EXPECT_EQ(server.received, QByteArray("l101#kassa2026#") + c.fresh + "$k$");
            EXPECT_FALSE(terminal->account().passwordChangeEnabled());
            EXPECT_TRUE(dialogs.shown.isEmpty());
        } else {
            ASSERT_EQ(dialogs.shown.size(), 1) << c.fresh;
            EXPECT_EQ(dialogs.last().text, QStringLiteral("Неправельные данные для замены пароля!"));
            EXPECT_TRUE(terminal->account().passwordChangeEnabled());
        }
    }
}

TEST_F(Account, PasswordRepliesShowTheirBoxAndReleaseTheButton) {
    acceptLogin();
    const auto askForAChange = [this] {
        account().changePassword(QStringLiteral("kassa2026"), QStringLiteral("123456789"),
                                 QStringLiteral("123456789"));
        ASSERT_FALSE(terminal->account().passwordChangeEnabled());
        ASSERT_TRUE(link().TimerSend.isActive());
    };
    askForAChange();
    serve("L0$k$");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("Произошел сбой при замене пароля!\nПовторите попытку  позже."));
    EXPECT_EQ(dialogs.last().title, QStringLiteral("Замеа пароля"));
    EXPECT_EQ(dialogs.last().icon, Dialogs::Icon::Warning);
    EXPECT_TRUE(terminal->account().passwordChangeEnabled());
    EXPECT_FALSE(link().TimerSend.isActive());

    askForAChange();
    serve("L1$k$");
    EXPECT_EQ(dialogs.last().kind, FakeDialogs::Kind::Message);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Замена пароля произведена успешно!"));
    EXPECT_TRUE(terminal->account().passwordChangeEnabled());
}

TEST_F(Account, NewsIsHandedOnWithoutItsLineBreaks) {
    QStringList news;
    QObject::connect(&account(), &AccountSession::newsReceived, [&](const QString& text) { news << text; });
    serve("NAB\r\n$k$N" + TestFiles::cp("Я") + "$k$");
    EXPECT_EQ(news, QStringList({QStringLiteral("AB"), QStringLiteral("Я")}));
}

TEST_F(Account, DisconnectWritesOnTheWaitingPanelAndDisconnectingClosesTheWindow) {
    serve("d08.12.10#21:30$k$");
    account().login(QStringLiteral("101"), QStringLiteral("pw"));
    server.dropClient();
    ASSERT_TRUE(waitUntil([&] { return loginWindow().waitingCaption == QStringLiteral("Отключились!"); }));
    EXPECT_TRUE(loginWindow().visible);
    terminal->disconnectFromServer();
    EXPECT_FALSE(loginWindow().visible);
}

// The link drops after a login; the keep-alive tick reconnects, the server
// greets, the cashier logs in again: "Регистрация" is as after the first login.
TEST_F(Account, AfterAReconnectAndANewLoginRegistrationIsDisabledAsAfterTheFirst) {
    EXPECT_FALSE(link().registerEnabled()); // the start's own connect
    acceptLogin();
    server.dropClient();
    ASSERT_TRUE(waitUntil([&] { return !link().isOpen(); }));
    EXPECT_TRUE(link().registerEnabled());
    link().PingServerTimer();
    ASSERT_TRUE(waitUntil([&] { return server.connections == 2 && link().isOpen(); }));
    EXPECT_FALSE(link().registerEnabled());
    serve("d09.12.26#14:05$k$");
    ASSERT_TRUE(loginWindow().visible);
    acceptLogin();
    EXPECT_FALSE(link().registerEnabled());
    // The keep-alive keeps its 120 s period; "Регистрация" would have set 10 s.
    EXPECT_EQ(link().PingServer.interval(), 120000);
}

} // namespace
