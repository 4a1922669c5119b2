#include "SimFixture.h"

#include <QRegularExpression>

using simLogin = SimFixture;

TEST_F(simLogin, GreetingCarriesTheLocalDateAndTime) {
    const struct {
        QDateTime at;
        const char* greeting;
    } cases[] = {
        {QDateTime(QDate(2010, 12, 8), QTime(21, 30)), "d08.12.10#21:30"},
        {QDateTime(QDate(2026, 1, 5), QTime(7, 4, 59)), "d05.01.26#07:04"},
        {QDateTime(QDate(2026, 6, 15), QTime(0, 0)), "d15.06.26#00:00"},
    };
    for (const auto& c : cases) {
        clockNow = c.at;
        WireClient client(server.serverPort());
        EXPECT_EQ(client.take(), c.greeting);
    }
}

TEST_F(simLogin, AcceptedLoginSendsWhatTheTerminalLacksInOrder) {
    const QString current = "current";
    const struct {
        bool catalogueCurrent;
        bool settingsCurrent;
        QString firsts; // first characters of the replies, in order
    } cases[] = {
        {false, false, "GQ)pBN"},
        {true, false, "Q)pBN"},
        {false, true, "G)pBN"},
        {true, true, ")pBN"},
    };
    for (const auto& c : cases) {
        auto client = connectClient();
        client->send(loginWrite("101", "kassa2026", c.settingsCurrent ? server.settingsStamp() : "old",
                                c.catalogueCurrent ? server.catalogueStamp() : ""));
        const QStringList replies = client->take(int(c.firsts.size()));
        QString firsts;
        for (const QString& reply : replies)
            firsts += reply.left(1);
        EXPECT_EQ(firsts, c.firsts);

        for (const QString& reply : replies) {
            if (reply.startsWith('G')) {
                EXPECT_EQ(reply.mid(1), server.operatorIni());
            } else if (reply.startsWith('Q')) {
                EXPECT_EQ(reply.mid(1), server.settingIni("101"));
                EXPECT_TRUE(reply.contains("\r\nip=127.0.0.1\r\n"));
                EXPECT_TRUE(reply.contains(QString("\r\nIpPort=%1\r\n").arg(server.serverPort())));
            } else if (reply.startsWith(')')) {
                const QString certificate = reply.mid(1);
                EXPECT_EQ(certificate, server.certificate("101"));
                EXPECT_LE(certificate.size(), 60);
                EXPECT_TRUE(QRegularExpression("^[\\x20-\\x7e]+$").match(certificate).hasMatch());
            } else if (reply.startsWith('B')) {
                EXPECT_EQ(reply, "Bb15000.00#l5000.00#");
            } else if (reply.startsWith('N')) {
                EXPECT_GT(reply.size(), 1);
                EXPECT_FALSE(reply.contains('\n'));
            }
        }
    }
}

TEST_F(simLogin, CertificateIsStableForALogin) {
    auto first = loggedIn();
    auto second = connectClient();
    second->send(loginWrite("101", "kassa2026", server.settingsStamp(), server.catalogueStamp()));
    EXPECT_EQ(second->take(), ")" + server.certificate("101"));
    sim::PaymentServer other;
    EXPECT_EQ(other.certificate("101"), server.certificate("101")) << "the same on the next run";
}

TEST_F(simLogin, RefusedLoginExplainsAndGreetsAgain) {
    const struct {
        const char* login;
        const char* password;
    } cases[] = {{"101", "wrong"}, {"999", "kassa2026"}, {"", ""}, {"101", "KASSA2026"}};
    for (const auto& c : cases) {
        auto client = connectClient();
        client->send(loginWrite(c.login, c.password, "", ""));
        const QStringList replies = client->take(4);
        EXPECT_EQ(replies.value(0), "HfНеверный логин или пароль");
        EXPECT_TRUE(replies.value(1).startsWith("d")) << "the login form comes back";
        EXPECT_EQ(replies.value(2), "X") << "no deposit before a login";
        EXPECT_TRUE(replies.value(3).startsWith("N"));
        EXPECT_FALSE(replies.contains("p"));

        // The cashier tries again on the same connection.
        client->send(loginWrite("101", "kassa2026", server.settingsStamp(), server.catalogueStamp()));
        EXPECT_EQ(client->take(2).value(1), "p");
    }
}

TEST_F(simLogin, TwoTerminalsAtOnceKeepTheirOwnAccounts) {
    ASSERT_TRUE(server.addAccount("202", "second-pass"));
    server.setDeposit("202", 700.25);
    auto first = loggedIn("101", "kassa2026");
    auto second = loggedIn("202", "second-pass");
    EXPECT_NE(server.certificate("101"), server.certificate("202"));
    second->send({"B202"});
    first->send({"B101"});
    EXPECT_EQ(second->take(), "Bb700.25#l5000.00#");
    EXPECT_EQ(first->take(), "Bb15000.00#l5000.00#");
    EXPECT_EQ(server.clientCount(), 2);
}
