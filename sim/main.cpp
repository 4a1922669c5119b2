// orvanta-sim: a payment server for training and tests, on a loopback address.
#include "sim/ControlPort.h"
#include "sim/Money.h"
#include "sim/PaymentServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>

#include <cstdio>

namespace {

void say(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QString shown(QString text) {
    text.replace(QLatin1Char('\r'), QStringLiteral("\\r")).replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return text.size() > 200 ? text.left(200) + QStringLiteral("...(%1 chars)").arg(text.size()) : text;
}

// 0 takes any free port; the banner tells which.
bool readPort(const QString& text, quint16* port) {
    bool ok = false;
    const uint value = text.toUInt(&ok);
    if (!ok || value > 65535)
        return false;
    *port = quint16(value);
    return true;
}

int fail(const QString& message) {
    std::fputs(("orvanta-sim: " + message + "\n").toUtf8().constData(), stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orvanta-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Orvanta payment-server simulator (training and tests)."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption addressOption(
        QStringLiteral("address"), QStringLiteral("Loopback address to listen on (default 127.0.0.1)."),
        QStringLiteral("A"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption portOption(
        QStringLiteral("port"), QStringLiteral("Port to listen on (default 5000; 0 takes any free port)."),
        QStringLiteral("N"), QString::number(sim::PaymentServer::DefaultPort));
    const QCommandLineOption accountOption(QStringLiteral("account"),
                                           QStringLiteral("Another terminal account; may be repeated."),
                                           QStringLiteral("LOGIN:PASSWORD"));
    const QCommandLineOption depositOption(
        QStringLiteral("deposit"), QStringLiteral("Starting deposit of every account (default 15000.00)."),
        QStringLiteral("SUM"));
    const QCommandLineOption controlOption(QStringLiteral("control-port"),
                                           QStringLiteral("Open a loopback text control port on N."),
                                           QStringLiteral("N"));
    const QCommandLineOption quietOption(QStringLiteral("quiet"),
                                         QStringLiteral("Print only the banner, not the traffic."));
    const QCommandLineOption tlsCertOption(
        QStringLiteral("tls-cert"), QStringLiteral("Speak TLS with this PEM certificate (needs --tls-key)."),
        QStringLiteral("FILE"));
    const QCommandLineOption tlsKeyOption(QStringLiteral("tls-key"),
                                          QStringLiteral("The certificate's PEM private key, unencrypted."),
                                          QStringLiteral("FILE"));
    parser.addOptions({addressOption, portOption, accountOption, depositOption, controlOption, quietOption,
                       tlsCertOption, tlsKeyOption});
    parser.process(app);

    const QHostAddress address(parser.value(addressOption));
    if (address.isNull() || !address.isLoopback())
        return fail(QStringLiteral("--address must be a loopback address, not '%1'")
                        .arg(parser.value(addressOption)));
    quint16 port = 0;
    if (!readPort(parser.value(portOption), &port))
        return fail(QStringLiteral("--port must be 0 to 65535"));

    sim::PaymentServer server;
    for (const QString& entry : parser.values(accountOption)) {
        const qsizetype colon = entry.indexOf(QLatin1Char(':'));
        if (colon <= 0 || !server.addAccount(entry.left(colon), entry.mid(colon + 1)))
            return fail(QStringLiteral("--account wants LOGIN:PASSWORD, not '%1'").arg(entry));
    }
    if (parser.isSet(depositOption)) {
        qint64 cents = 0;
        if (!sim::Money::parse(parser.value(depositOption), &cents) || cents < 0)
            return fail(QStringLiteral("--deposit wants a sum such as 15000.00"));
        server.setDepositForAll(sim::Money::toDouble(cents));
    }
    if (parser.isSet(tlsCertOption) != parser.isSet(tlsKeyOption))
        return fail(QStringLiteral("--tls-cert and --tls-key go together"));
    if (parser.isSet(tlsCertOption)) {
        QString why;
        if (!server.useTls(parser.value(tlsCertOption), parser.value(tlsKeyOption), &why))
            return fail(QStringLiteral("cannot speak TLS: ") + why);
    }
    if (!server.listen(address, port))
        return fail(QStringLiteral("cannot listen on %1:%2: %3")
                        .arg(address.toString())
                        .arg(port)
                        .arg(server.errorString()));

    sim::ControlPort control(server);
    if (parser.isSet(controlOption)) {
        quint16 controlPort = 0;
        if (!readPort(parser.value(controlOption), &controlPort))
            return fail(QStringLiteral("--control-port must be 0 to 65535"));
        if (!control.listen(address, controlPort))
            return fail(QStringLiteral("cannot open the control port %1: %2")
                            .arg(controlPort)
                            .arg(control.errorString()));
    }

    say(QStringLiteral("Orvanta payment-server simulator"));
    say(QStringLiteral("  listening on    %1:%2%3")
            .arg(server.serverAddress().toString())
            .arg(server.serverPort())
            .arg(server.usesTls() ? QStringLiteral(" (TLS)") : QString()));
    say(QStringLiteral("  demo account    terminal %1, password %2")
            .arg(sim::PaymentServer::DemoLogin, sim::PaymentServer::DemoPassword));
    for (const QString& login : server.logins()) {
        say(QStringLiteral("  account %1  deposit %2, limit %3")
                .arg(login, sim::Money::format(sim::Money::fromDouble(server.deposit(login))),
                     sim::Money::format(sim::Money::fromDouble(server.limit(login)))));
    }
    if (control.isListening())
        say(QStringLiteral("  control port    %1:%2 (type 'help')")
                .arg(address.toString())
                .arg(control.serverPort()));
    say(QStringLiteral("  training data only: no payment here is real"));

    if (!parser.isSet(quietOption)) {
        QObject::connect(&server, &sim::PaymentServer::clientConnected,
                         [] { say(QStringLiteral("+ terminal connected")); });
        QObject::connect(&server, &sim::PaymentServer::clientDisconnected,
                         [] { say(QStringLiteral("- terminal disconnected")); });
        QObject::connect(&server, &sim::PaymentServer::messageReceived,
                         [](const QString& m) { say(QStringLiteral("<- ") + shown(m)); });
        QObject::connect(&server, &sim::PaymentServer::messageSent,
                         [](const QString& m) { say(QStringLiteral("-> ") + shown(m)); });
        QObject::connect(&server, &sim::PaymentServer::notice,
                         [](const QString& m) { say(QStringLiteral("!! ") + m); });
    }
    return app.exec();
}
