// The link over TLS: against the simulator speaking TLS with a throw-away
// certificate, and against a plain server the terminal must not talk to.
#include "core/Builtins.h"
#include "link/AccountSession.h"
#include "link/ServerLink.h"
#include "sim/PaymentServer.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "support/FakePrinter.h"
#include "support/FakeSpreadsheet.h"
#include "support/LoopbackServer.h"
#include "support/TestFiles.h"
#include "support/TestTls.h"
#include "terminal/Terminal.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kUnverified = QStringLiteral("Сертификат сервера не подтвержден");
const QString kSecureError = QStringLiteral("Ошибка защищенного соединения");

class TlsLink : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString programDir = TestFiles::dirPath(dir);
    FakeDialogs dialogs;
    FakeClock clock{QDateTime(QDate(2026, 12, 9), QTime(14, 5, 9))};
    FakeFileDialog fileDialog;
    FakePrinter printer;
    FakeSpreadsheet spreadsheet;
    std::unique_ptr<Terminal> terminal;

    // The simulator speaking TLS with the test authority's server certificate.
    void startSim(sim::PaymentServer& sim) {
        sim.setClock([this] { return clock.now(); });
        QString why;
        ASSERT_TRUE(sim.useTls(TestTls::files().serverPem, TestTls::files().serverKey, &why))
            << why.toStdString();
        ASSERT_TRUE(sim.listen(QHostAddress::LocalHost, 0));
    }
    void start() {
        terminal = std::make_unique<Terminal>(programDir, Seams{dialogs, clock, fileDialog, printer, spreadsheet});
        terminal->formCreate();
        terminal->connectToServer();
    }
    ServerLink& link() { return terminal->link(); }
    QString state() { return terminal->status().text(StatusPanel::State); }
    bool logged(const QString& prefix) {
        for (const QString& line : link().protocolLog())
            if (line.startsWith(prefix))
                return true;
        return false;
    }
    // The attempt failed as a refused one does: closed, the next server of the list next.
    void expectFailedAttempt(const QString& text) {
        EXPECT_EQ(state(), text);
        EXPECT_FALSE(link().isOpen());
        EXPECT_FALSE(terminal->session().registered());
        EXPECT_TRUE(logged(QStringLiteral("Error Connecting1!")));
        EXPECT_EQ(link().peerAddress(), Builtins::serverAddresses().first());
        EXPECT_EQ(link().serverIndex(), 1);
        EXPECT_TRUE(link().PingServer.isActive());
        EXPECT_EQ(link().PingServer.interval(), ServerLink::ConnectingPingMs);
        // Nothing the server said was taken in.
        EXPECT_FALSE(logged(QStringLiteral("Получено=")));
        EXPECT_FALSE(terminal->account().loginWindow().visible);
    }
};

TEST_F(TlsLink, ServerNotVerifiedIsAFailedAttemptWithNothingSent) {
    struct Case {
        const char* name;
        QString ca; // tlsca
        QByteArray more;
    };
    const TestTls::Files& f = TestTls::files();
    const Case cases[] = {
        {"another authority", f.otherCa, {}},
        {"the right authority, a wrong name", f.ca, "tlsname=kassa.example\r\n"},
        {"the server's own certificate, a wrong name", f.serverPem, "tlsname=kassa.example\r\n"},
        {"a trust file that is not there", QStringLiteral("missing.pem"), {}},
        // The test authority is none of the system's.
        {"the system's authorities", QString(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::PaymentServer sim;
        startSim(sim);
        TestTls::writeIpIni(programDir, sim.serverPort(), c.ca, c.more);
        start();
        ASSERT_TRUE(waitUntil([&] { return logged(QStringLiteral("Error Connecting1!")); }));
        expectFailedAttempt(kUnverified);
        EXPECT_TRUE(logged(QStringLiteral("Сертификат сервера: ")));
        QTest::qWait(20);
        EXPECT_TRUE(sim.received().isEmpty()) << sim.received().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(sim.clientCount(), 0);
        terminal.reset();
    }
}

TEST_F(TlsLink, PlainServerGetsAHandshakeAndNeverAMessage) {
    LoopbackServer plain;
    TestTls::writeIpIni(programDir, plain.port(), TestTls::files().ca);
    start();
    ASSERT_TRUE(plain.waitForClient());
    ASSERT_TRUE(waitUntil([&] { return !plain.received.isEmpty(); }));
    // A TLS handshake record (22), protocol version 3.x: the ClientHello.
    EXPECT_EQ(plain.received.at(0), char(0x16));
    EXPECT_EQ(plain.received.at(1), char(0x03));
    EXPECT_FALSE(link().isOpen());
    // A keep-alive tick while the handshake waits sends nothing: the handshake
    // had its time and the attempt fails.
    link().PingServerTimer();
    expectFailedAttempt(kSecureError);
    ASSERT_TRUE(waitUntil([&] { return !plain.hasClient(); }));
    EXPECT_FALSE(plain.received.contains("$k$"));
    EXPECT_FALSE(plain.received.contains("T_u"));
}

TEST_F(TlsLink, PlainServerThatGreetsInClearIsRefused) {
    LoopbackServer plain;
    TestTls::writeIpIni(programDir, plain.port(), TestTls::files().ca);
    start();
    ASSERT_TRUE(plain.waitForClient());
    ASSERT_TRUE(waitUntil([&] { return !plain.received.isEmpty(); }));
    plain.send("d09.12.26#14:05$k$");
    ASSERT_TRUE(waitUntil([&] { return logged(QStringLiteral("Error Connecting1!")); }));
    expectFailedAttempt(kSecureError);
    EXPECT_TRUE(logged(QStringLiteral("Ошибка TLS: ")));
    EXPECT_FALSE(plain.received.contains("$k$"));
}

TEST_F(TlsLink, FramingKeepAliveWatchdogAndReconnectWorkAsOverTcp) {
    sim::PaymentServer sim;
    startSim(sim);
    TestTls::writeIpIni(programDir, sim.serverPort(), TestTls::files().ca);
    start();
    ASSERT_TRUE(waitUntil([&] { return link().isOpen(); }));
    EXPECT_EQ(state(), QStringLiteral("Соеденился!"));
    EXPECT_EQ(terminal->status().text(StatusPanel::Server),
              QStringLiteral("127.0.0.1:%1 (TLS)").arg(sim.serverPort()));
    EXPECT_EQ(link().PingServer.interval(), ServerLink::ConnectedPingMs);
    // The greeting came through the handshake and opened the login window.
    ASSERT_TRUE(waitUntil([&] { return terminal->account().loginWindow().visible; }));

    link().PingServerTimer();
    ASSERT_TRUE(waitUntil([&] { return sim.received().contains(QStringLiteral("T_uA6.0#")); }));

    // A deposit request before a login: the simulator's "X" disarms the watchdog.
    link().sendRequest({QStringLiteral("B101")});
    EXPECT_TRUE(link().TimerSend.isActive());
    ASSERT_TRUE(waitUntil([&] { return !link().TimerSend.isActive(); }));

    // A message cut across two records is put together again.
    const quint64 before = link().protocolLinesLogged();
    sim.sendRaw(QStringLiteral("P$k"));
    ASSERT_TRUE(waitUntil([&] { return link().protocolLinesLogged() > before; }));
    sim.sendRaw(QStringLiteral("$"));
    ASSERT_TRUE(waitUntil([&] { return link().protocolLog().last() == QStringLiteral("Hello"); }));

    // A lost connection comes back, encrypted again, at the next tick.
    sim.dropClients();
    ASSERT_TRUE(waitUntil([&] { return state() == QStringLiteral("Отключился"); }));
    EXPECT_FALSE(link().isOpen());
    sim.clearLogs();
    link().PingServerTimer();
    ASSERT_TRUE(waitUntil([&] { return link().isOpen(); }));
    EXPECT_EQ(link().peerAddress(), QStringLiteral("127.0.0.1"));
    ASSERT_TRUE(waitUntil([&] { return sim.clientCount() == 1 && !sim.sent().isEmpty(); }));
    EXPECT_TRUE(sim.sent().front().startsWith(QLatin1Char('d'))); // greeted anew
}

// tlsca may name the server's own certificate instead of its authority.
TEST_F(TlsLink, TrustsTheServersOwnCertificate) {
    sim::PaymentServer sim;
    startSim(sim);
    TestTls::writeIpIni(programDir, sim.serverPort(), TestTls::files().serverPem);
    start();
    ASSERT_TRUE(waitUntil([&] { return link().isOpen() || logged(QStringLiteral("Error Connecting1!")); }));
    EXPECT_TRUE(link().isOpen()) << link().protocolLog().join(QLatin1Char('\n')).toStdString();
}

} // namespace
