#include "SimFixture.h"

#include <QRandomGenerator>
#include <QtTest/QTest>

using simRobustness = SimFixture;

TEST_F(simRobustness, MessagesSplitAnywhereAreReassembled) {
    auto client = connectClient();
    const QByteArray write = "d101#kassa2026#" + server.settingsStamp().toLatin1() + "!" +
                             server.catalogueStamp().toLatin1() + "$k$B101$k$QN$k$";
    // Cut inside a field, inside a terminator ("$k" | "$") and right after one.
    const qsizetype terminator = write.indexOf("$k$");
    const QList<qsizetype> cuts = {5, terminator + 2, terminator + 3, write.size() - 1};
    qsizetype from = 0;
    for (qsizetype cut : cuts) {
        client->sendBytes(write.mid(from, cut - from));
        QTest::qWait(15); // a short pause so the pieces tend to arrive in separate reads
        from = cut;
    }
    client->sendBytes(write.mid(from));
    const QStringList replies = client->take(4);
    EXPECT_EQ(replies.value(1), "p");
    EXPECT_EQ(replies.value(2), "Bb15000.00#l5000.00#");
}

TEST_F(simRobustness, ManyMessagesInOneWriteAreAllAnswered) {
    auto client = loggedIn();
    QStringList bodies;
    for (int i = 0; i < 300; ++i)
        bodies << "UZ101_" + QString::number(i);
    client->send(bodies);
    const QStringList replies = client->take(300);
    EXPECT_EQ(replies.first(), "Z-#101_0");
    EXPECT_EQ(replies.last(), "Z-#101_299");
}

TEST_F(simRobustness, GarbageIsIgnoredAndTheConnectionGoesOn) {
    auto client = loggedIn();
    QRandomGenerator random(20261215);
    QByteArray garbage;
    for (int i = 0; i < 64 * 1024; ++i) {
        const quint32 r = random.bounded(20);
        garbage += r == 0   ? QByteArray("$k")
                   : r == 1 ? QByteArray(1, '\0')
                            : QByteArray(1, char(random.bounded(256)));
    }
    client->sendBytes(garbage);
    client->sendBytes("$k$\xff\xfe$k$Zz$k$$k$Hello$k$\xc0$k$B101$k$");
    // Whatever the garbage held, the deposit request is answered after it; a stray
    // "B" or "o" inside it may have been answered too.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            while (client->untaken() > 0) {
                if (client->take() == "Bb15000.00#l5000.00#" && client->untaken() == 0)
                    return true;
            }
            return false;
        },
        WireClient::Patience));
    EXPECT_TRUE(client->isConnected());
}

TEST_F(simRobustness, UnknownCommandsGetNoAnswer) {
    auto client = loggedIn();
    client->send({"Zzz", "", "Hello", "n", "P", "x1", "f6101#26/", "B101"});
    EXPECT_EQ(client->take(), "Bb15000.00#l5000.00#");
    EXPECT_EQ(client->untaken(), 0);
}

TEST_F(simRobustness, OversizeUnterminatedInputDropsOnlyThatClient) {
    server.setMaxUnterminatedBytes(64 * 1024);
    auto bystander = loggedIn();
    auto flooder = connectClient();
    flooder->sendBytes(QByteArray(100 * 1024, 'A'));
    EXPECT_TRUE(flooder->waitDisconnected());
    bystander->send({"B101"});
    EXPECT_EQ(bystander->take(), "Bb15000.00#l5000.00#");
    auto next = connectClient();
    EXPECT_TRUE(next->isConnected());
}

TEST_F(simRobustness, DefaultLimitIsSixteenMebibytes) {
    // A big message under the limit is served: a search for a 1 MiB number.
    auto searcher = connectClient();
    const QByteArray digits(1024 * 1024, '7');
    searcher->sendBytes("Ux" + digits + "$k$");
    EXPECT_TRUE(searcher->take().startsWith("x" + QString::fromLatin1(digits) + "\n"));

    const QByteArray mebibyte(1024 * 1024, 'A');
    auto patient = connectClient();
    for (int i = 0; i < 16; ++i)
        patient->sendBytes(mebibyte);
    patient->sendBytes("$k$B101$k$");
    EXPECT_EQ(patient->take(), "X") << "16 MiB without a terminator is still allowed";

    auto flooder = connectClient();
    for (int i = 0; i < 16; ++i)
        flooder->sendBytes(mebibyte);
    flooder->sendBytes("A");
    EXPECT_TRUE(flooder->waitDisconnected());
}
