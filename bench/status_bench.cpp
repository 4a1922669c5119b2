// A status pass over 1 000 rows awaiting their status, against the simulator on
// loopback, beside the floor: 1 000 bare request/reply pairs of the same size
// over a loopback socket.
#include "QuietDialogs.h"
#include "core/TerminalCertificate.h"
#include "link/ServerLink.h"
#include "link/Transmission.h"
#include "payments/PaymentJournal.h"
#include "platform/Dialogs.h"
#include "platform/FileDialog.h"
#include "platform/SystemClock.h"
#include "sim/PaymentServer.h"
#include "terminal/Terminal.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 1000;

QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "status_bench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication a(argc, argv);
    return a;
}

// Answers every box at once; counts the end-of-pass messages.
struct PassCounter : Dialogs {
    int passesEnded = 0;
    void message(const QString& text) override {
        if (text.startsWith(QStringLiteral("Синхронизация платежей")))
            ++passesEnded;
    }
    void box(const QString&, const QString&, Icon) override {}
    bool question(const QString&, const QString&) override { return true; }
    bool retryCancel(const QString&, const QString&, Icon) override { return false; }
    void exception(const QString&) override {}
    std::optional<QString> askText(const QString&, const QString&, const QString& initial) override {
        return initial;
    }
};

bool waitFor(const std::function<bool()>& done) {
    QEventLoop loop;
    while (!done())
        loop.processEvents(QEventLoop::WaitForMoreEvents, 100);
    return true;
}

void BM_StatusPassAgainstSimulator(benchmark::State& state) {
    app();
    sim::PaymentServer server;
    server.listen(QHostAddress::LocalHost, 0);
    QTemporaryDir dir;
    const QString programDir = dir.path() + QLatin1Char('/');
    QFile ip(programDir + QStringLiteral("ip.ini"));
    ip.open(QIODevice::WriteOnly);
    ip.write("[options]\r\nip=127.0.0.1\r\nipport=" + QByteArray::number(server.serverPort()) + "\r\n");
    ip.close();

    PassCounter dialogs;
    StillClock clock;
    NoFiles files;
    QuietPrinter printer;
    QuietSpreadsheet spreadsheet;
    Terminal terminal(programDir, Seams{dialogs, clock, files, printer, spreadsheet});
    terminal.formCreate();
    terminal.connectToServer();
    waitFor([&] { return terminal.link().isOpen(); });
    Session& session = terminal.session();
    session.setTerminalNumber(QStringLiteral("101"));
    session.setLoginTerminal(QStringLiteral("101"));
    session.setJournalDir(programDir + QStringLiteral("101/"));
    QDir().mkpath(session.journalDir());
    session.setRegistered(true);
    terminal.days().showDay(clock.now().date());
    PaymentJournal& journal = terminal.journal();
    using Col = PaymentJournal::Column;
    for (int i = 0; i < kRows; ++i) {
        const int row = journal.insertPaymentRow();
        journal.setCell(row, Col::Account, QStringLiteral("901234567"));
        journal.setCell(row, Col::TransactionId,
                        QStringLiteral("101_26120910%1").arg(i, 4, 10, QLatin1Char('0')));
        journal.setCell(row, Col::SendFlag, QStringLiteral("1"));
    }

    for (auto _ : state) {
        const int before = dialogs.passesEnded;
        terminal.transmission().refreshStatuses();
        waitFor([&] { return dialogs.passesEnded > before; });
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// The floor: the same number of request/reply pairs of the same size, with a
// peer that answers at once and a client that does nothing else.
void BM_BareExchange(benchmark::State& state) {
    app();
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    QTcpSocket client;
    QTcpSocket* peer = nullptr;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        peer = server.nextPendingConnection();
        QObject::connect(peer, &QIODevice::readyRead, [&] {
            const QByteArray in = peer->readAll();
            // "UZ" + id + "$k$" in, "Z-#" + id + "$k$" out.
            peer->write("Z-#" + in.mid(2));
        });
    });
    client.connectToHost(QHostAddress::LocalHost, server.serverPort());
    waitFor([&] { return peer != nullptr && client.state() == QAbstractSocket::ConnectedState; });
    int answered = 0;
    QObject::connect(&client, &QIODevice::readyRead, [&] {
        client.readAll();
        ++answered;
        if (answered % kRows != 0)
            client.write("UZ101_261209100000$k$");
    });
    for (auto _ : state) {
        const int target = answered + kRows;
        client.write("UZ101_261209100000$k$");
        waitFor([&] { return answered >= target; });
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

} // namespace

BENCHMARK(BM_StatusPassAgainstSimulator)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BareExchange)->Unit(benchmark::kMillisecond)->UseRealTime();
