#include "SimFixture.h"

using simPayment = SimFixture;

TEST_F(simPayment, AcknowledgedOnceAndChargedOnce) {
    auto client = loggedIn();
    client->send({payment("101_260615103001", "150.00")});
    EXPECT_EQ(client->take(), "o101_260615103001");
    EXPECT_DOUBLE_EQ(server.deposit("101"), 14850.00);

    // A resend of the same transaction is acknowledged again without a second charge.
    client->send({payment("101_260615103001", "150.00"), "B101"});
    EXPECT_EQ(client->take(2), (QStringList{"o101_260615103001", "Bb14850.00#l5000.00#"}));

    client->send({payment("101_260615103002", "99,50")});
    EXPECT_EQ(client->take(), "o101_260615103002");
    EXPECT_DOUBLE_EQ(server.deposit("101"), 14750.50);
    ASSERT_EQ(server.payments().size(), 2);
    EXPECT_EQ(server.payments().at(0).account, "901234567");
    EXPECT_EQ(server.payments().at(1).creditedCents, 9950);
}

TEST_F(simPayment, RefusalsLeaveTheDepositAndRecordNothing) {
    const QString goodCertificate = server.certificate("101");
    const struct {
        const char* name;
        std::function<void(sim::PaymentServer&)> script;
        QString certificate;
        QString credited;
        QString reply;
    } cases[] = {
        {"scripted O", [](sim::PaymentServer& s) { s.refuseNextPayment(sim::Refusal::DepositExhausted); },
         goodCertificate, "10.00", "O"},
        {"scripted (", [](sim::PaymentServer& s) { s.refuseNextPayment(sim::Refusal::CertificateMissing); },
         goodCertificate, "10.00", "("},
        {"wrong certificate", nullptr, "ORV-999-AAAAAAAA", "10.00", "("},
        {"placeholder certificate", nullptr, "123456789", "10.00", "("},
        {"no certificate", nullptr, "", "10.00", "("},
        {"above the deposit", nullptr, goodCertificate, "15000.01", "O"},
    };
    auto client = loggedIn();
    int n = 0;
    for (const auto& c : cases) {
        if (c.script)
            c.script(server);
        const QString tx = QString("101_2606151030%1").arg(++n, 2, 10, QChar('0'));
        client->send(
            {"o" + tx + "#20$1101?" + c.credited + "!" + c.credited + "/901234567#" + c.certificate + ")",
             "UZ" + tx});
        EXPECT_EQ(client->take(2), (QStringList{c.reply, "Z-#" + tx})) << c.name;
        EXPECT_DOUBLE_EQ(server.deposit("101"), 15000.00) << c.name;
        EXPECT_EQ(server.pendingRefusals(), 0) << c.name;
    }
    EXPECT_TRUE(server.payments().isEmpty());

    // A scripted refusal is spent: the same payment now goes through.
    client->send({payment("101_260615103101", "10.00")});
    EXPECT_EQ(client->take(), "o101_260615103101");
}

TEST_F(simPayment, TheWholeDepositMayBeSpentButNotACentMore) {
    server.setDeposit("101", 100.00);
    auto client = loggedIn();
    client->send({payment("101_1", "100.00"), payment("101_2", "0.01"), payment("101_3", "0")});
    EXPECT_EQ(client->take(3), (QStringList{"o101_1", "O", "o101_3"}));
    EXPECT_DOUBLE_EQ(server.deposit("101"), 0.0);
}

TEST_F(simPayment, BalanceQueryIsAnsweredInABoxAndNotRecorded) {
    auto client = loggedIn();
    const QString query = payment("101_260615103005", "9999", "901234567");
    client->send({query, query, "UZ101_260615103005"});
    const QStringList replies = client->take(3);
    EXPECT_TRUE(replies[0].startsWith("HfБаланс абонента 901234567: ")) << replies[0].toStdString();
    EXPECT_TRUE(replies[0].endsWith(" сомони"));
    EXPECT_EQ(replies[1], replies[0]) << "the same account shows the same balance";
    EXPECT_EQ(replies[2], "Z-#101_260615103005");
    EXPECT_DOUBLE_EQ(server.deposit("101"), 15000.00);
    EXPECT_TRUE(server.payments().isEmpty());
}

TEST_F(simPayment, UnreadableSumIsRefusedWithAReason) {
    auto client = loggedIn();
    client->send({payment("101_9", "12.3.4")});
    const QString reply = client->take();
    EXPECT_TRUE(reply.startsWith("Hf")) << reply.toStdString();
    EXPECT_TRUE(reply.contains("неверная сумма"));
    EXPECT_DOUBLE_EQ(server.deposit("101"), 15000.00);
}

TEST_F(simPayment, MalformedPaymentMessagesAreRefusedNotCrashed) {
    auto client = loggedIn();
    client->send(
        {"o", "o#", "o101_1", "o101_1#20$1101?5!5/", "o101_1#20$1101?5!5/1#" + server.certificate("101")});
    EXPECT_EQ(client->take(5), (QStringList{"(", "(", "(", "(", "("}));
    EXPECT_TRUE(server.payments().isEmpty());
}
