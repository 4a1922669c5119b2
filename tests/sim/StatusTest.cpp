#include "SimFixture.h"

using simStatus = SimFixture;

TEST_F(simStatus, EachKindOfRowFollowsItsProgression) {
    const struct {
        const char* name;
        QStringList script; // payment progression set before the row arrives; empty keeps the default
        QString credited;
        QString account;
        QStringList codes;
        double depositAfter;
    } cases[] = {
        {"payment", {}, "150.00", "901234567", {"7", "1", "1"}, 14850.00},
        {"scripted queue", {"7", "7", "1"}, "150.00", "901234567", {"7", "7", "1", "1"}, 14850.00},
        {"returned", {"7", "9"}, "150.00", "901234567", {"7", "9", "9"}, 15000.00},
        {"error", {"3"}, "150.00", "901234567", {"3", "3"}, 14850.00},
        {"cancellation", {}, "-150.00", "901234567", {"11", "12", "1", "1"}, 15000.00},
        {"correction", {}, "-150.00", "901234567+901234568", {"11", "1", "1"}, 15000.00},
    };
    int n = 0;
    for (const auto& c : cases) {
        sim::PaymentServer& s = server;
        s.setDeposit("101", 15000.00);
        s.setStatusProgression(c.script.isEmpty() ? QStringList{"7", "1"} : c.script);
        auto client = loggedIn();
        const QString tx = QString("101_26061510%1").arg(++n, 4, 10, QChar('0'));
        client->send({payment(tx, c.credited, c.account)});
        EXPECT_EQ(client->take(), "o" + tx) << c.name;
        QStringList asked, expected;
        for (const QString& code : c.codes) {
            asked << "UZ" + tx;
            expected << "Z" + code + "#" + tx;
        }
        client->send(asked);
        EXPECT_EQ(client->take(int(asked.size())), expected) << c.name;
        EXPECT_DOUBLE_EQ(s.deposit("101"), c.depositAfter) << c.name << ": a return refunds once";
    }
}

TEST_F(simStatus, ProgressionIsFixedWhenThePaymentArrives) {
    auto client = loggedIn();
    client->send({payment("101_1", "5.00")});
    EXPECT_EQ(client->take(), "o101_1");
    server.setStatusProgression({"9"});
    client->send({payment("101_2", "5.00"), "UZ101_1", "UZ101_1", "UZ101_2"});
    EXPECT_EQ(client->take(4), (QStringList{"o101_2", "Z7#101_1", "Z1#101_1", "Z9#101_2"}));
}

TEST_F(simStatus, UnknownTransactionAndKeepAlivesNeedNoRow) {
    auto client = loggedIn();
    client->send({"T101_uA6.0#", "T_uA6.0#", "Ub101", "UZ101_999999", "UZ"});
    EXPECT_EQ(client->take(2), (QStringList{"Z-#101_999999", "Z-#"}));
    EXPECT_EQ(client->untaken(), 0) << "keep-alives and Ub are not answered";
}

TEST_F(simStatus, ProgressionRejectsCodesTheWireCannotCarry) {
    EXPECT_FALSE(server.setStatusProgression({}));
    EXPECT_FALSE(server.setStatusProgression({"7", ""}));
    EXPECT_FALSE(server.setStatusProgression({"1#2"}));
    EXPECT_EQ(server.statusProgression(), (QStringList{"7", "1"}));
    EXPECT_EQ(server.statusProgression(sim::RowKind::Cancellation), (QStringList{"11", "12", "1"}));
    EXPECT_EQ(server.statusProgression(sim::RowKind::Correction), (QStringList{"11", "1"}));
}
