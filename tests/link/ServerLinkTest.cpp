#include "link/ServerLink.h"
#include "core/TerminalCertificate.h"
#include "link/AccountSession.h"
#include "link/FileReplies.h"
#include "link/Transmission.h"
#include "payments/PaymentJournal.h"
#include "platform/OneBoxAtATime.h"
#include "platform/TextCodec.h"
#include "reports/YearStatistics.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "support/LinkedTerminal.h"
#include "support/LoopbackServer.h"
#include "support/TestFiles.h"
#include "terminal/Terminal.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST_F(Linked, ConnectShowsStateAndServerAndWaitsForTheGreeting) {
    EXPECT_EQ(status().text(StatusPanel::State), QStringLiteral("Соеденился!"));
    EXPECT_EQ(status().text(StatusPanel::Server), QStringLiteral("127.0.0.1:%1").arg(server.port()));
    EXPECT_FALSE(link().registerEnabled());
    EXPECT_EQ(link().PingServer.interval(), 120000);
    EXPECT_TRUE(link().PingServer.isActive());
    EXPECT_EQ(link().protocolLog().mid(0, 2), QStringList({"Memo1", "Socket1 Open"}));
    EXPECT_TRUE(server.received.isEmpty());
}

TEST_F(Linked, KeepAliveBeforeTheFirstLoginCarriesAnEmptyTerminal) {
    link().PingServerTimer();
    ASSERT_TRUE(server.waitForReceived("$k$"));
    EXPECT_EQ(server.received, QByteArray("T_uA6.0#$k$"));
    EXPECT_FALSE(link().TimerSend.isActive());
    session().setTerminalNumber(QStringLiteral("101"));
    server.received.clear();
    link().PingServerTimer();
    ASSERT_TRUE(server.waitForReceived("$k$"));
    EXPECT_EQ(server.received, QByteArray("T101_uA6.0#$k$"));
}

TEST_F(Linked, SendRequestKeepsAllFramesAndArmsTheWatchdog) {
    link().sendRequest({QStringLiteral("d101#pw#s!c"), QStringLiteral("B101"), QStringLiteral("QN")});
    ASSERT_TRUE(server.waitForReceived("QN$k$"));
    EXPECT_EQ(server.received, QByteArray("d101#pw#s!c$k$B101$k$QN$k$"));
    EXPECT_EQ(link().lastRequest(), QStringLiteral("d101#pw#s!c$k$B101$k$QN$k$"));
    EXPECT_TRUE(link().TimerSend.isActive());
    EXPECT_EQ(link().TimerSend.interval(), 30000);
}

TEST_F(Linked, WatchdogRetryResendsTheWholeRequestWhileOpen) {
    link().sendRequest({QStringLiteral("J6101#10"), QStringLiteral("B101")});
    ASSERT_TRUE(server.waitForReceived("B101$k$"));
    server.received.clear();
    dialogs.answer(true);
    link().TimerSendTimer();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.last().kind, FakeDialogs::Kind::RetryCancel);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Сервер не отвечает!\nПовторите попытку  позже."));
    EXPECT_EQ(dialogs.last().title, QStringLiteral("Запрос серверу"));
    EXPECT_EQ(dialogs.last().icon, Dialogs::Icon::Warning);
    ASSERT_TRUE(server.waitForReceived("B101$k$"));
    EXPECT_EQ(server.received, QByteArray("J6101#10$k$B101$k$"));
    EXPECT_EQ(link().protocolLog().last(), QStringLiteral("Отправка запроса=J6101#10$k$B101$k$"));
    EXPECT_TRUE(link().TimerSend.isActive());
}

TEST_F(Linked, WatchdogCancelLeavesItOffAndSendsNothing) {
    link().sendRequest({QStringLiteral("Ux900")});
    ASSERT_TRUE(server.waitForReceived("$k$"));
    server.received.clear();
    dialogs.answer(false);
    link().TimerSendTimer();
    EXPECT_FALSE(link().TimerSend.isActive());
    QTest::qWait(50);
    EXPECT_TRUE(server.received.isEmpty());
}

TEST_F(Linked, WatchdogRetryWhileClosedSendsNothingAndStaysOff) {
    link().sendRequest({QStringLiteral("Ux900")});
    server.dropClient();
    ASSERT_TRUE(waitUntil([&] { return !link().isOpen(); }));
    dialogs.answer(true);
    link().TimerSendTimer();
    EXPECT_FALSE(link().TimerSend.isActive());
    EXPECT_NE(link().protocolLog().last().left(16), QStringLiteral("Отправка запроса"));
}

TEST_F(Linked, ServerMessagesHandledByTheLink) {
    serve("P$k$");
    EXPECT_EQ(link().protocolLog().last(), QStringLiteral("Hello"));

    link().TimerSend.start();
    serve("X$k$");
    EXPECT_FALSE(link().TimerSend.isActive());

    // "H" shows a box only for "f"; "n", unknown letters and empty messages do nothing.
    link().TimerSend.start();
    serve("Hx not a form$k$n123$k$$k$?what$k$Hf" + TestFiles::cp("Платёж принят") + "$k$");
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Платёж принят"));
    EXPECT_EQ(dialogs.last().title, QStringLiteral("Выполнение формы"));
    EXPECT_EQ(dialogs.last().icon, Dialogs::Icon::Warning);
    EXPECT_TRUE(link().TimerSend.isActive()); // neither "H" nor "n" disarms
}

TEST_F(Linked, ProtocolLogGetsEveryRawChunk) {
    serve("P$k$Z");
    EXPECT_TRUE(link().protocolLog().contains(QStringLiteral("Получено=P$k$Z")));
}

TEST_F(Linked, OperatorCatalogueReplacesOperatorIniAndItsStamp) {
    serve("G[options]\r\ncreate=cat-7\r\n[1101]\nname=" + TestFiles::cp("Заря") + "\r\n$k$");
    EXPECT_EQ(TestFiles::read(programDir + QStringLiteral("operator.ini")),
              QByteArray("[options]\r\ncreate=cat-7\r\n[1101]\r\nname=") + TestFiles::cp("Заря") + "\r\n");
    EXPECT_EQ(terminal->catalogue().stamp(), QStringLiteral("cat-7"));
}

TEST_F(Linked, SettingsBeforeAcceptanceGoToTheTerminalDirectoryAndAreApplied) {
    session().setLoginTerminal(QStringLiteral("101")); // typed at login; not yet accepted
    serve("Q[options]\r\nuser=" + TestFiles::cp("Касса 1") + "\r\ncreate=s-3\r\n$k$");
    EXPECT_TRUE(QFile::exists(programDir + QStringLiteral("101/setting.ini")));
    EXPECT_EQ(terminal->settings().user(), QStringLiteral("Касса 1"));
    EXPECT_EQ(terminal->settings().stamp(), QStringLiteral("s-3"));
}

TEST_F(Linked, CertificateIsStoredForTheTerminalAndReadsBack) {
    session().setLoginTerminal(QStringLiteral("101"));
    serve(")ORV-101-AB7$k$");
    EXPECT_TRUE(QFile::exists(programDir + QStringLiteral("101cert.key")));
    EXPECT_EQ(TerminalCertificate::readCertificate(terminal->environment().certificatePath(QStringLiteral("101"))),
              std::optional<QString>(QStringLiteral("ORV-101-AB7")));
}

TEST_F(Linked, FileReplyIsStoredReleasesRefreshAndIsAnnounced) {
    QStringList consumed;
    QObject::connect(&terminal->fileReplies(), &FileReplies::stored,
                     [&](const QString& name, const QString& path) { consumed << name << path; });
    session().setRegistered(true);
    session().setLoginTerminal(QStringLiteral("101"));
    terminal->statistics().refresh();
    ASSERT_FALSE(terminal->statistics().file().refreshEnabled());
    ASSERT_TRUE(link().TimerSend.isActive());
    serve("f6101#10/head\r\n1.5#2#3#\n4#5#6#$k$");
    const QString path = programDir + QStringLiteral("6101#10.txt");
    EXPECT_EQ(TestFiles::read(path), QByteArray("head\r\n1.5#2#3#\r\n4#5#6#\r\n"));
    EXPECT_EQ(consumed, QStringList({QStringLiteral("6101#10"), path}));
    EXPECT_TRUE(terminal->statistics().file().refreshEnabled());
    EXPECT_FALSE(link().TimerSend.isActive());
}

TEST_F(Linked, FileReplyWithAnUnsafeNameIsDroppedAndLogged) {
    QStringList consumed;
    QObject::connect(&terminal->fileReplies(), &FileReplies::stored,
                     [&](const QString&, const QString& path) { consumed << path; });
    for (const QByteArray& name :
         {QByteArray("../evil"), QByteArray("a\\b"), QByteArray("p1\x01"), QByteArray("x..y")}) {
        serve("f" + name + "/content$k$");
        EXPECT_TRUE(link().protocolLog().last().startsWith(QStringLiteral("Файл с недопустимым именем")))
            << name.data();
    }
    EXPECT_TRUE(consumed.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/../evil.txt")));
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.txt")}, QDir::Files), QStringList());
}

TEST_F(Linked, ServerDropShowsDisconnectAndClearsRegistration) {
    session().setRegistered(true);
    int disconnects = 0;
    QObject::connect(&link(), &ServerLink::disconnected, [&] { ++disconnects; });
    server.dropClient();
    ASSERT_TRUE(waitUntil([&] { return disconnects == 1; }));
    EXPECT_EQ(status().text(StatusPanel::State), QStringLiteral("Отключился"));
    EXPECT_EQ(link().protocolLog().last(), QStringLiteral("Отключился"));
    EXPECT_TRUE(link().registerEnabled());
    EXPECT_FALSE(session().registered());
    // A connection that was up is retried by the 120 s tick: call it.
    EXPECT_EQ(link().PingServer.interval(), 120000);
    link().PingServerTimer();
    ASSERT_TRUE(waitUntil([&] { return server.connections == 2 && link().isOpen(); }));
}

TEST_F(Linked, DisconnectStopsReconnectingAndReleasesTheJournalCommands) {
    putAPaymentOnItsWay();
    ASSERT_FALSE(terminal->transmission().commands().sendAll);
    ASSERT_TRUE(terminal->account().depositCheckEnabled());
    int closeLogin = 0;
    QObject::connect(&link(), &ServerLink::disconnectedByCashier, [&] { ++closeLogin; });
    terminal->disconnectFromServer();
    EXPECT_FALSE(link().isOpen());
    EXPECT_FALSE(link().PingServer.isActive());
    EXPECT_FALSE(session().registered());
    EXPECT_EQ(status().text(StatusPanel::State), QStringLiteral("Отключился"));
    EXPECT_FALSE(terminal->account().depositCheckEnabled());
    const Transmission::Commands& c = terminal->transmission().commands();
    EXPECT_TRUE(c.sendAll && c.refreshStatuses && c.cancel && c.sendSelected);
    EXPECT_FALSE(terminal->transmission().panel().visible);
    EXPECT_TRUE(link().registerEnabled());
    EXPECT_EQ(closeLogin, 1);

    // "Регистрация" resumes with the 10 s period.
    terminal->connectToServer();
    EXPECT_EQ(link().PingServer.interval(), 10000);
    EXPECT_TRUE(link().PingServer.isActive());
    ASSERT_TRUE(waitUntil([&] { return link().isOpen(); }));
}

TEST_F(Linked, AFailingHandlerIsReportedAndTheMessagesBehindItAreStillHandled) {
    link().setHandler(QLatin1Char('d'), [](const QString&) { throw std::runtime_error("bad greeting"); });
    serve("dxx$k$P$k$");
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.last().kind, FakeDialogs::Kind::Exception);
    ASSERT_TRUE(waitUntil([&] { return link().protocolLog().contains(QStringLiteral("Hello")); }));
}

TEST_F(Linked, AMessageArrivingUnderABoxIsHandledWhileTheBoxIsOpen) {
    session().setRegistered(true);
    terminal->account().checkDeposit(); // a deposit request is out
    ASSERT_FALSE(terminal->account().depositCheckEnabled());
    bool depositShownUnderTheBox = false;
    dialogs.onBox = [&](const FakeDialogs::Shown& box) {
        if (box.title != QStringLiteral("Выполнение формы"))
            return;
        // The deposit reply comes in a later read, while the box is still open.
        server.send("Bb500.00#l5000.00#$k$");
        depositShownUnderTheBox =
            waitUntil([&] { return status().text(StatusPanel::Deposit) == QStringLiteral("500.00"); });
    };
    serve("Hf" + TestFiles::cp("Баланс абонента") + "$k$");
    ASSERT_TRUE(waitUntil([&] { return !dialogs.shown.isEmpty(); }));
    EXPECT_TRUE(depositShownUnderTheBox);
    EXPECT_EQ(status().text(StatusPanel::Limit), QStringLiteral("5000.00"));
    EXPECT_TRUE(terminal->account().depositCheckEnabled());
}

TEST_F(Linked, AServerSendingWithoutEndIsCutOffAndTheLinkReconnects) {
    const QByteArray chunk(4 * 1024 * 1024, 'x');
    for (int i = 0; i < 17; ++i)
        server.send(chunk);
    ASSERT_TRUE(waitUntil([&] { return !link().isOpen(); }, 20000));
    EXPECT_TRUE(link().protocolLog().contains(
        QStringLiteral("Слишком длинное сообщение сервера: соединение разорвано")));
    link().PingServerTimer();
    ASSERT_TRUE(waitUntil([&] { return server.connections == 2 && link().isOpen(); }));
    // The new connection starts with an empty buffer.
    serve("P$k$");
    EXPECT_EQ(link().protocolLog().last(), QStringLiteral("Hello"));
}

qsizetype logChars(const QStringList& log) {
    qsizetype n = 0;
    for (const QString& line : log)
        n += line.size();
    return n;
}

TEST_F(Linked, TheProtocolLogKeepsABoundedTail) {
    for (int i = 0; i < 6000; ++i)
        link().log(QStringLiteral("line %1").arg(i));
    EXPECT_EQ(link().protocolLog().size(), ServerLink::MaxLogLines);
    EXPECT_EQ(link().protocolLog().first(), QStringLiteral("line 1000"));
    EXPECT_EQ(link().protocolLog().last(), QStringLiteral("line 5999"));

    // A long chunk is logged by its head and says how much is left out.
    link().receive("?" + QByteArray(100000, 'x') + "$k$");
    const QString line = link().protocolLog().last();
    EXPECT_TRUE(line.startsWith(QStringLiteral("Получено=?xxx")));
    EXPECT_EQ(line, QStringLiteral("Получено=?") + QString(4086, QLatin1Char('x')) +
                        QStringLiteral("...(+%1)").arg(100004 - 4087));

    // Long lines count against the characters kept.
    for (int i = 0; i < 1000; ++i)
        link().receive("?" + QByteArray(10000, 'z') + "$k$");
    EXPECT_LE(logChars(link().protocolLog()), ServerLink::MaxLogChars);
    EXPECT_GT(link().protocolLog().size(), 400);
    // "Memo1" and "Socket1 Open" came first.
    EXPECT_EQ(link().protocolLinesLogged(), 2u + 6000u + 1u + 1000u);
}

TEST_F(Linked, AFloodOfMessagesLeavesOnlyTheTailBehind) {
    // 48 MiB of well-framed messages nobody handles, then one that is handled.
    QByteArray unknown;
    for (int i = 0; i < 4096; ++i)
        unknown += "?" + QByteArray(1020, 'u') + "$k$";
    for (int i = 0; i < 12; ++i)
        server.send(unknown);
    server.send("P$k$");
    ASSERT_TRUE(waitUntil([&] { return link().protocolLog().last() == QStringLiteral("Hello"); }, 30000));
    EXPECT_LE(logChars(link().protocolLog()), ServerLink::MaxLogChars);
    EXPECT_LE(link().protocolLog().size(), ServerLink::MaxLogLines);
}

TEST_F(Linked, APartialMessageEndsWithItsConnection) {
    // The complete message before the drop is still handled; the half one is not
    // completed by what the next connection brings.
    server.send("P$k$Hfhal");
    server.dropClient();
    ASSERT_TRUE(waitUntil([&] { return !link().isOpen(); }));
    ASSERT_TRUE(waitUntil([&] { return link().protocolLog().contains(QStringLiteral("Hello")); }));
    link().PingServerTimer();
    ASSERT_TRUE(waitUntil([&] { return server.connections == 2 && link().isOpen(); }));
    serve("#f done$k$Hfnew$k$");
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("new"));
}

TEST(RandomFlood, BoxesComeOneAtATimeAndRepeatsCollapse) {
    // 5 MB of random bytes with terminators scattered in them, each box letting
    // the rest arrive while it is open, as the real boxes do.
    QTemporaryDir dir;
    FakeDialogs screen;
    OneBoxAtATime boxes(&screen);
    FakeClock clock;
    FakeFileDialog fileDialog;
    FakePrinter printer;
    FakeSpreadsheet spreadsheet;
    Terminal terminal(TestFiles::dirPath(dir), Seams{boxes, clock, fileDialog, printer, spreadsheet});
    terminal.terminateProgram = [] {};
    QRandomGenerator random(16);
    QByteArray flood(5 * 1024 * 1024, Qt::Uninitialized);
    for (char& b : flood)
        b = char(random.bounded(256));
    for (int i = 0; i < 5000; ++i)
        flood.replace(random.bounded(flood.size() - 3), 3, "$k$");
    qsizetype fed = 0;
    auto feed = [&] {
        while (fed < flood.size()) {
            const QByteArray chunk = flood.mid(fed, 64 * 1024);
            fed += chunk.size();
            terminal.link().receive(chunk);
        }
    };
    int depth = 0;
    int deepest = 0;
    screen.onBox = [&](const FakeDialogs::Shown&) {
        deepest = std::max(deepest, ++depth);
        feed();
        --depth;
    };
    feed();
    EXPECT_EQ(deepest, 1);
    ASSERT_GT(screen.shown.size(), 10); // the flood does ask for boxes
    QStringList seen;
    for (const FakeDialogs::Shown& s : screen.shown)
        seen << s.title + QLatin1Char('|') + s.text;
    // The refusals all look alike: one of each.
    EXPECT_EQ(seen.filter(QStringLiteral("Отказ|")).size(), 2);
    EXPECT_EQ(seen.removeDuplicates(), 0);
}

TEST(Failover, WalksTheServerListOnConnectErrorsEveryTenSeconds) {
    QTemporaryDir dir;
    const QString programDir = TestFiles::dirPath(dir);
    const quint16 port = TestFiles::closedLoopbackPort();
    TestFiles::write(programDir + QStringLiteral("ip.ini"),
                     QByteArray("[options]\r\nip=127.0.0.9\r\nipport=") + QByteArray::number(port) + "\r\n");
    FakeDialogs dialogs;
    FakeClock clock;
    FakeFileDialog fileDialog;
    FakePrinter printer;
    FakeSpreadsheet spreadsheet;
    Terminal terminal(programDir, Seams{dialogs, clock, fileDialog, printer, spreadsheet});
    ServerLink& link = terminal.link();
    QStringList states{terminal.status().text(StatusPanel::State)};
    QObject::connect(&terminal.status(), &StatusLine::changed, [&](StatusPanel panel, const QString& text) {
        if (panel == StatusPanel::State && states.last() != text)
            states << text;
    });
    terminal.formCreate();
    terminal.connectToServer();
    EXPECT_EQ(link.PingServer.interval(), 10000);
    ASSERT_TRUE(waitUntil([&] { return states.contains(QStringLiteral("Ошибка соединения 127.0.0.9")); }));
    // The design text, then the first attempt with two dots, then its failure.
    EXPECT_EQ(states.mid(0, 3),
              QStringList({"Соединяюсь...", "Соединяюсь..", "Ошибка соединения 127.0.0.9"}));

    const QStringList expected = {"127.0.0.2", "127.0.0.3", "127.0.0.1", "127.0.0.2"};
    for (const QString& address : expected) {
        EXPECT_EQ(link.peerAddress(), address);
        states.clear();
        link.PingServerTimer(); // the 10 s tick
        ASSERT_TRUE(waitUntil([&] {
            return states.contains(QStringLiteral("Ошибка соединения ") + address);
        })) << qPrintable(address);
        EXPECT_EQ(states.first(), QStringLiteral("Соединяюсь..."));
        EXPECT_EQ(link.peerPort(), port);
    }
    EXPECT_EQ(link.PingServer.interval(), 10000);
    EXPECT_EQ(link.protocolLog().count(QStringLiteral("Error Connecting1!")), 5);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

} // namespace
