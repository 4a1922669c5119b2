#include "link/PaymentSearch.h"
#include "support/LinkedTerminal.h"

namespace {

class Searching : public Linked {
protected:
    PaymentSearch& search() { return terminal->search(); }

    // The search's request as the server got it.
    bool received(const QByteArray& request) { return server.waitForReceived(request, 3000); }
};

TEST_F(Searching, NotRegisteredRefusesAndSendsNothing) {
    search().start(QStringLiteral("901234567"));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.last().kind, FakeDialogs::Kind::Message);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Необходимо подключиться к серверу!"));
    EXPECT_TRUE(terminal->search().enabled());
    QTest::qWait(20);
    EXPECT_FALSE(server.received.contains("Ux"));
}

TEST_F(Searching, TheNumberGoesAsTypedUnderTheWatchdogAndThePoiskWaits) {
    session().setRegistered(true);
    search().start(QStringLiteral(" 90 12"));
    EXPECT_TRUE(received("Ux 90 12$k$"));
    EXPECT_EQ(link().lastRequest(), QStringLiteral("Ux 90 12$k$"));
    EXPECT_TRUE(link().TimerSend.isActive());
    EXPECT_FALSE(terminal->search().enabled());

    // Enter in the number field while the answer is awaited sends nothing more.
    server.received.clear();
    search().start(QStringLiteral("777"));
    QTest::qWait(20);
    EXPECT_TRUE(server.received.isEmpty());

    serve("x 90 12\n$k$");
    EXPECT_FALSE(link().TimerSend.isActive());
    EXPECT_TRUE(terminal->search().enabled());

    search().start(QString());
    EXPECT_TRUE(received("Ux$k$"));
}

TEST_F(Searching, RepliesAreLaidOutUnderTheirHeadingAndReplaceTheLastResult) {
    session().setRegistered(true);
    const QString head1 = QStringLiteral("Искали платежи на номер:");
    const QString head4 = QStringLiteral("Найдено:");
    struct Case {
        QByteArray reply;
        QStringList memo;
    };
    const QList<Case> cases = {
        {TestFiles::cp("x901234567\n09.12.26 10:00 98,00 сомони\n08.12.26 11:30 45,00 сомони\n"),
         {head1, "901234567", "", head4, "09.12.26 10:00 98,00 сомони", "08.12.26 11:30 45,00 сомони"}},
        {"x901234567\n", {head1, "901234567", "", head4}},
        // Lines are not trimmed; what follows the last LF is dropped.
        {"x 900\r\n first \r\nlast line without LF", {head1, " 900\r", "", head4, " first \r"}},
        // Without a line break there is nothing to show: the earlier result goes too.
        {"xnothing found", {}},
        {"x", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply.toStdString());
        // A result stands from before: each answer replaces it whole.
        search().start(QStringLiteral("901234567"));
        serve("xold\n$k$");
        ASSERT_FALSE(terminal->search().result().isEmpty());
        search().start(QStringLiteral("901234567"));
        serve(c.reply + "$k$");
        EXPECT_EQ(terminal->search().result(), c.memo);
        EXPECT_TRUE(terminal->search().enabled());
    }
}

} // namespace
