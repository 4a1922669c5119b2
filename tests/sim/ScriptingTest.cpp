#include "SimFixture.h"

#include "sim/Cp1251.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest/QTest>

using simScripting = SimFixture;

TEST_F(simScripting, SilenceSwallowsAnswersButNotTheirEffects) {
    auto client = loggedIn();
    server.staySilent(2);
    // The keep-alive has no answer to swallow, so it does not count.
    client->send({"T101_uA6.0#", "Ux905551234", payment("101_1", "100.00"), "B101"});
    EXPECT_EQ(client->take(), "Bb14900.00#l5000.00#") << "the payment was charged all the same";
    EXPECT_EQ(server.silentRequests(), 0);
    EXPECT_EQ(server.received().mid(server.received().size() - 4),
              (QStringList{"T101_uA6.0#", "Ux905551234", payment("101_1", "100.00"), "B101"}));

    // The terminal asks again and gets its acknowledgement, still charged once.
    client->send({payment("101_1", "100.00"), "B101"});
    EXPECT_EQ(client->take(2), (QStringList{"o101_1", "Bb14900.00#l5000.00#"}));
}

TEST_F(simScripting, DropClosesEveryConnectionAndNewOnesAreGreeted) {
    auto first = loggedIn();
    auto second = connectClient();
    QSignalSpy gone(&server, &sim::PaymentServer::clientDisconnected);
    server.dropClients();
    EXPECT_EQ(server.clientCount(), 0);
    EXPECT_TRUE(first->waitDisconnected());
    EXPECT_TRUE(second->waitDisconnected());
    EXPECT_TRUE(QTest::qWaitFor([&] { return gone.count() == 2; }, WireClient::Patience));

    auto third = connectClient();
    third->send({"B101"});
    EXPECT_EQ(third->take(), "X") << "a new connection starts logged out";
}

TEST_F(simScripting, DropFromAListenerStopsTheRestOfTheWrite) {
    auto client = loggedIn();
    QObject::connect(&server, &sim::PaymentServer::messageReceived, &server, [this](const QString& m) {
        if (m.startsWith("o"))
            server.dropClients();
    });
    client->send({payment("101_1", "10.00"), "B101"});
    EXPECT_TRUE(client->waitDisconnected());
    EXPECT_EQ(client->untaken(), 0);
    EXPECT_DOUBLE_EQ(server.deposit("101"), 15000.00) << "the dropped payment was not handled";
}

TEST_F(simScripting, RawTextGoesOutAsItStandsInCp1251) {
    auto client = connectClient();
    server.sendRaw("Hfпривет$k$X");
    EXPECT_EQ(client->take(), "Hfпривет");
    EXPECT_TRUE(QTest::qWaitFor([&] { return client->rawBytes().endsWith("X"); }, WireClient::Patience));
    EXPECT_TRUE(client->rawBytes().contains(sim::Cp1251::encode(QStringLiteral("привет"))));
    EXPECT_EQ(client->untaken(), 0) << "the X is not a message until its terminator comes";
    server.sendRaw("$k$");
    EXPECT_EQ(client->take(), "X");

    server.sendMessage("P");
    EXPECT_EQ(client->take(), "P");
}

TEST_F(simScripting, NewsReachesEveryTerminal) {
    auto first = loggedIn();
    auto second = connectClient();
    server.sendNews("Сервер будет перезапущен\r\nв 23:00");
    EXPECT_EQ(first->take(), "NСервер будет перезапущенв 23:00");
    EXPECT_EQ(second->take(), "NСервер будет перезапущенв 23:00");
}

TEST_F(simScripting, DelayedAnswersComeLateAndInOrder) {
    auto client = loggedIn();
    const int delay = 500;
    server.setReplyDelay(delay);
    const int before = int(server.received().size());
    QElapsedTimer clock;
    clock.start();
    client->send({"B101", "Ux123", "QN"});
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return server.received().size() == before + 3; }, WireClient::Patience));
    EXPECT_EQ(client->untaken(), 0) << "answered before the delay was over";

    const QStringList replies = client->take(3);
    EXPECT_GE(clock.elapsed(), delay);
    EXPECT_EQ(replies.value(0), "Bb15000.00#l5000.00#");
    EXPECT_EQ(replies.value(1), "x123\n");
    EXPECT_TRUE(replies.value(2).startsWith("N"));

    server.setReplyDelay(0);
    client->send({"B101"});
    EXPECT_EQ(client->take(), "Bb15000.00#l5000.00#");
}

TEST_F(simScripting, OnlyLoopbackAddressesAreServed) {
    sim::PaymentServer other;
    EXPECT_FALSE(other.listen(QHostAddress(QHostAddress::AnyIPv4), 0));
    EXPECT_FALSE(other.isListening());
    EXPECT_TRUE(other.listen(QHostAddress("127.0.0.2"), 0));
}
