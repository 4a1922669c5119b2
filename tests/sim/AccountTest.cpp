#include "SimFixture.h"

using simAccount = SimFixture;

TEST_F(simAccount, DepositNeedsALogin) {
    auto stranger = connectClient();
    stranger->send({"B101"});
    EXPECT_EQ(stranger->take(), "X");

    server.setDeposit("101", 1234.5);
    server.setLimit("101", 99.99);
    auto client = loggedIn();
    client->send({"B101"});
    EXPECT_EQ(client->take(), "Bb1234.50#l99.99#");
}

TEST_F(simAccount, PasswordChange) {
    const struct {
        const char* request;
        const char* reply;
        const char* passwordAfter;
    } cases[] = {
        {"l101#wrong#newpass123", "L0", "kassa2026"},
        {"l999#kassa2026#newpass123", "L0", "kassa2026"},
        {"l101#kassa2026#", "L0", "kassa2026"},
        {"l101", "L0", "kassa2026"},
        {"l101#kassa2026#newpass123", "L1", "newpass123"},
        {"l101#kassa2026#again12345", "L0", "newpass123"}, // the old password is gone
    };
    auto client = loggedIn();
    for (const auto& c : cases) {
        client->send({c.request});
        EXPECT_EQ(client->take(), c.reply) << c.request;
        EXPECT_EQ(server.password("101"), c.passwordAfter) << c.request;
    }
    auto next = connectClient();
    next->send(loginWrite("101", "kassa2026", "", ""));
    EXPECT_TRUE(next->take().startsWith("Hf"));
    auto renewed = loggedIn("101", "newpass123");
}

TEST_F(simAccount, SearchListsReceivedPaymentsFirst) {
    auto client = loggedIn();
    client->send({payment("101_260615103001", "150.00", "905551234")});
    EXPECT_EQ(client->take(), "o101_260615103001");
    client->send({"Ux905551234"});
    const QString reply = client->take();
    ASSERT_TRUE(reply.startsWith("x905551234\n")) << reply.toStdString();
    ASSERT_TRUE(reply.endsWith('\n'));
    const QStringList lines = reply.mid(1).split('\n');
    // The number, the found payments, and the empty text after the last LF.
    ASSERT_GE(lines.size(), 3);
    ASSERT_LE(lines.size(), 7);
    EXPECT_TRUE(lines[1].contains("101_260615103001"));
    EXPECT_TRUE(lines[1].contains("150.00 сомони"));
    EXPECT_TRUE(lines[1].contains("Орбита Мобайл"));
    EXPECT_TRUE(lines[1].startsWith("15.06.26 10:30"));
}

TEST_F(simAccount, SearchOfUnknownNumbers) {
    auto client = loggedIn();
    client->send({"Ux123", "Ux", "Ux987654321", "Ux987654321"});
    const QStringList replies = client->take(4);
    EXPECT_EQ(replies[0], "x123\n") << "too short to be anyone's account";
    EXPECT_EQ(replies[1], "x\n");
    const int found = int(replies[2].count('\n')) - 1;
    EXPECT_GE(found, 2);
    EXPECT_LE(found, 5);
    EXPECT_EQ(replies[3], replies[2]) << "the invented history of a number does not change";
}
