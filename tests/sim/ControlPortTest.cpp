#include "SimFixture.h"

#include "sim/ControlPort.h"

#include <QTcpSocket>
#include <QtTest/QTest>

using simControlPort = SimFixture;

TEST_F(simControlPort, CommandsAnswerOkOrAnErrorAndTakeEffect) {
    sim::ControlPort control(server);
    const struct {
        const char* line;
        bool ok;
        std::function<bool(const sim::PaymentServer&)> effect;
    } cases[] = {
        {"refuse O", true, [](const auto& s) { return s.pendingRefusals() == 1; }},
        {"refuse ( 2", true, [](const auto& s) { return s.pendingRefusals() == 3; }},
        {"refuse X", false, [](const auto& s) { return s.pendingRefusals() == 3; }},
        {"refuse O 0", false, nullptr},
        {"silent 3", true, [](const auto& s) { return s.silentRequests() == 3; }},
        {"silent -1", false, [](const auto& s) { return s.silentRequests() == 3; }},
        {"delay 500", true, [](const auto& s) { return s.replyDelay() == 500; }},
        {"delay soon", false, [](const auto& s) { return s.replyDelay() == 500; }},
        {"statuses 7,7,1", true,
         [](const auto& s) {
             return s.statusProgression() == QStringList{"7", "7", "1"};
         }},
        {"statuses cancel 11,9", true,
         [](const auto& s) {
             return s.statusProgression(sim::RowKind::Cancellation) == QStringList{"11", "9"};
         }},
        {"statuses correct 11,1", true, nullptr},
        {"statuses", false, nullptr},
        {"statuses 7,,1", false, [](const auto& s) { return s.statusProgression().size() == 3; }},
        {"deposit 1000.00", true, [](const auto& s) { return s.deposit("101") == 1000.00; }},
        {"deposit 12,5 101", true, [](const auto& s) { return s.deposit("101") == 12.50; }},
        {"deposit 5 999", false, nullptr},
        {"deposit lots", false, [](const auto& s) { return s.deposit("101") == 12.50; }},
        {"limit 300", true, [](const auto& s) { return s.limit("101") == 300.00; }},
        {"account 202:pass word", true, [](const auto& s) { return s.password("202") == "pass word"; }},
        {"account nocolon", false, nullptr},
        {"raw \\xZZ", false, nullptr},
        {"raw", false, nullptr},
        {"bogus", false, nullptr},
        {"", false, nullptr},
        {"info", true, nullptr},
        {"received 2", true, nullptr},
        {"drop", true, nullptr},
        {"help", true, nullptr},
    };
    for (const auto& c : cases) {
        const QStringList reply = control.execute(c.line);
        ASSERT_FALSE(reply.isEmpty()) << c.line;
        if (c.ok) {
            EXPECT_EQ(reply.last(), "ok") << c.line;
        } else {
            EXPECT_TRUE(reply.last().startsWith("error: ")) << c.line << " -> " << reply.last().toStdString();
        }
        if (c.effect) {
            EXPECT_TRUE(c.effect(server)) << c.line;
        }
    }
}

TEST_F(simControlPort, TextsTakeEscapes) {
    const struct {
        const char* in;
        bool ok;
        QString out;
    } cases[] = {
        {"a\\r\\nb", true, "a\r\nb"}, {"\\xE9\\xF2", true, "йт"}, {"\\\\k", true, "\\k"},
        {"tab\\t", true, "tab\t"},    {"end\\", true, "end\\"},   {"\\q", false, ""},
        {"\\x4", false, ""},
    };
    for (const auto& c : cases) {
        bool ok = !c.ok;
        EXPECT_EQ(sim::ControlPort::unescape(QString::fromUtf8(c.in), &ok), c.out) << c.in;
        EXPECT_EQ(ok, c.ok) << c.in;
    }
}

TEST_F(simControlPort, DrivesTheServerOverItsSocket) {
    sim::ControlPort control(server);
    EXPECT_FALSE(control.listen(QHostAddress(QHostAddress::AnyIPv4), 0));
    ASSERT_TRUE(control.listen(QHostAddress(QHostAddress::LocalHost), 0));
    auto terminal = loggedIn();

    QTcpSocket operatorSocket;
    operatorSocket.connectToHost(QHostAddress(QHostAddress::LocalHost), control.serverPort());
    ASSERT_TRUE(QTest::qWaitFor([&] { return operatorSocket.state() == QAbstractSocket::ConnectedState; },
                                WireClient::Patience));
    QByteArray answers;
    QObject::connect(&operatorSocket, &QTcpSocket::readyRead, [&] { answers += operatorSocket.readAll(); });

    operatorSocket.write("deposit 123.45\r\nnews Касса закрывается\nraw Hfok$k$\nfrobnicate\nquit\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return operatorSocket.state() == QAbstractSocket::UnconnectedState; },
                                WireClient::Patience));
    EXPECT_EQ(QString::fromUtf8(answers),
              "ok\nok\nok\nerror: unknown command 'frobnicate'; try 'help'\nok\n");
    EXPECT_DOUBLE_EQ(server.deposit("101"), 123.45);
    EXPECT_EQ(terminal->take(2), (QStringList{"NКасса закрывается", "Hfok"}));
}
