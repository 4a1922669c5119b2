#include "goods/TurnoverStatement.h"
#include "support/LinkedTerminal.h"

#include <QFile>

namespace {

// The turnover statement proves the flow every server-fed window shares.
class Turnover : public Linked {
protected:
    void SetUp() override {
        Linked::SetUp();
        if (HasFatalFailure())
            return;
        session().setLoginTerminal(QStringLiteral("101")); session().setTerminalNumber(QStringLiteral("101"));
        session().setRegistered(true);
        QObject::connect(&statement().file(), &RequestedFile::changed, [this] {
            states << QStringLiteral("%1 %2").arg(statement().file().tableVisible() ? "shown" : "hidden",
                                                  statement().file().refreshEnabled() ? "enabled"
                                                                                      : "disabled");
        });
    }
    TurnoverStatement& statement() { return terminal->turnover(); }
    QString file() const { return programDir + QStringLiteral("v101.txt"); }
    QStringList states;
};

TEST_F(Turnover, WithoutAStoredFileItAsksTheServerAndShowsTheReply) {
    statement().activate();
    ASSERT_TRUE(server.waitForReceived("$k$"));
    EXPECT_EQ(server.received, QByteArray("Fv101$k$"));
    EXPECT_FALSE(statement().file().tableVisible());
    EXPECT_FALSE(statement().file().refreshEnabled());
    EXPECT_TRUE(link().TimerSend.isActive()); // a request the watchdog guards
    EXPECT_EQ(link().lastRequest(), QStringLiteral("Fv101$k$"));

    serve("fv101/" + TestFiles::cp("ОБОРОТНАЯ ВЕДОМОСТЬ\r\n  1001  Чай     10   2\r\n\r\n") + "$k$");
    EXPECT_TRUE(statement().file().tableVisible());
    EXPECT_TRUE(statement().file().refreshEnabled());
    EXPECT_FALSE(link().TimerSend.isActive());
    // Lines as they are, blanks and an empty line included.
    EXPECT_EQ(statement().lines(), QStringList({"ОБОРОТНАЯ ВЕДОМОСТЬ", "  1001  Чай     10   2", ""}));
    EXPECT_TRUE(QFile::exists(file()));
}

TEST_F(Turnover, AStoredFileIsShownWithoutARequestAndRefreshAsksAgain) {
    TestFiles::write(file(), "line 1\r\nline 2\r\n");
    statement().activate();
    EXPECT_EQ(statement().lines(), QStringList({"line 1", "line 2"}));
    QTest::qWait(30);
    EXPECT_TRUE(server.received.isEmpty());

    statement().refresh();
    ASSERT_TRUE(server.waitForReceived("Fv101$k$"));
    EXPECT_EQ(states, QStringList({"hidden disabled"}));
    // Any file reply gives "Обновить" back and shows the table; only its own loads it.
    serve("f6101#26/other$k$");
    EXPECT_EQ(states.last(), QStringLiteral("shown enabled"));
    EXPECT_EQ(statement().lines(), QStringList({"line 1", "line 2"}));
}

TEST_F(Turnover, AnEmptyFileIsAnEmptyViewAndUnregisteredIsRefused) {
    TestFiles::write(file(), "");
    statement().activate();
    EXPECT_TRUE(statement().lines().isEmpty());
    EXPECT_TRUE(dialogs.shown.isEmpty());

    QFile::remove(file());
    session().setRegistered(false);
    statement().activate();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Необходимо зарегистрироваться!"));
    EXPECT_TRUE(statement().file().tableVisible());
    QTest::qWait(30);
    EXPECT_TRUE(server.received.isEmpty());
}

} // namespace
