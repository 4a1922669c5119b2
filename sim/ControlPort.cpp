#include "sim/ControlPort.h"

#include "sim/Cp1251.h"
#include "sim/Money.h"
#include "sim/PaymentServer.h"

#include <QTcpSocket>

namespace sim {
namespace {

constexpr qsizetype kMaxLine = 1024 * 1024;

const QStringList& helpLines() {
    static const QStringList lines = {
        "help                      this list",
        "info                      address, clients, accounts, scripted state",
        "refuse O|( [N]            refuse the next N payments with \"O\" (deposit) or \"(\" (certificate)",
        "silent N                  handle the next N requests but send no answer",
        "drop                      close every terminal connection",
        "raw TEXT                  send TEXT as it stands (no terminator; \\r \\n \\t \\\\ \\xHH)",
        "send TEXT                 send TEXT as one message (terminator added)",
        "delay MS                  answer requests MS milliseconds late (0: at once)",
        "statuses [cancel|correct] C1,C2,...  status codes for the next rows of that kind",
        "news TEXT                 send a news line to every terminal",
        "deposit SUM [LOGIN]       set the deposit (of every account without LOGIN)",
        "limit SUM [LOGIN]         set the limit (of every account without LOGIN)",
        "account LOGIN:PASSWORD    add an account or change its password",
        "received [N]              the last N messages received (default 10)",
        "quit                      close this control connection",
    };
    return lines;
}

QString error(const QString& text) {
    return QStringLiteral("error: ") + text;
}

bool readCount(const QString& text, int* value) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 0)
        return false;
    *value = n;
    return true;
}

} // namespace

ControlPort::ControlPort(PaymentServer& server, QObject* parent) : QObject(parent), server_(server) {
    connect(&tcp_, &QTcpServer::newConnection, this, &ControlPort::acceptClients);
}

bool ControlPort::listen(const QHostAddress& address, quint16 port) {
    if (!address.isLoopback())
        return false;
    return tcp_.listen(address, port);
}

QString ControlPort::errorString() const {
    return tcp_.errorString().isEmpty() ? QStringLiteral("only loopback addresses are served")
                                        : tcp_.errorString();
}

void ControlPort::acceptClients() {
    while (QTcpSocket* socket = tcp_.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                QString line = QString::fromUtf8(socket->readLine());
                while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
                    line.chop(1);
                const bool quit = line.trimmed() == QLatin1String("quit");
                socket->write((execute(line).join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
                if (quit) {
                    socket->disconnectFromHost();
                    return;
                }
            }
            if (socket->bytesAvailable() > kMaxLine) {
                socket->write("error: line too long\n");
                socket->disconnectFromHost();
            }
        });
    }
}

QString ControlPort::unescape(const QString& text, bool* ok) {
    QString out;
    bool good = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar e = text[++i];
        if (e == QLatin1Char('r')) {
            out += QLatin1Char('\r');
        } else if (e == QLatin1Char('n')) {
            out += QLatin1Char('\n');
        } else if (e == QLatin1Char('t')) {
            out += QLatin1Char('\t');
        } else if (e == QLatin1Char('\\')) {
            out += QLatin1Char('\\');
        } else if (e == QLatin1Char('x') && i + 2 < text.size()) {
            bool hexOk = false;
            const uint byte = text.mid(i + 1, 2).toUInt(&hexOk, 16);
            if (!hexOk) {
                good = false;
                break;
            }
            const char b = char(byte);
            out += Cp1251::decode(QByteArrayView(&b, 1));
            i += 2;
        } else {
            good = false;
            break;
        }
    }
    if (ok)
        *ok = good;
    return good ? out : QString();
}

QStringList ControlPort::execute(const QString& line) {
    const QString trimmed = line.trimmed();
    const qsizetype space = trimmed.indexOf(QLatin1Char(' '));
    const QString command = space < 0 ? trimmed : trimmed.left(space);
    // Texts keep their inner blanks; only the one blank after the command is a separator.
    const QString argument = space < 0 ? QString() : trimmed.mid(space + 1);
    const QStringList words = argument.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString ok = QStringLiteral("ok");

    if (command.isEmpty())
        return {error(QStringLiteral("empty command; try 'help'"))};
    if (command == QLatin1String("help"))
        return QStringList(helpLines()) << ok;
    if (command == QLatin1String("quit"))
        return {ok};
    if (command == QLatin1String("info")) {
        QStringList lines;
        lines << QStringLiteral("listening %1:%2, %3 client(s)")
                     .arg(server_.serverAddress().toString())
                     .arg(server_.serverPort())
                     .arg(server_.clientCount());
        for (const QString& login : server_.logins()) {
            lines << QStringLiteral("account %1 password %2 deposit %3 limit %4 certificate %5")
                         .arg(login, server_.password(login),
                              Money::format(Money::fromDouble(server_.deposit(login))),
                              Money::format(Money::fromDouble(server_.limit(login))),
                              server_.certificate(login));
        }
        lines << QStringLiteral("refusals %1, silent %2, delay %3 ms, payments %4")
                     .arg(server_.pendingRefusals())
                     .arg(server_.silentRequests())
                     .arg(server_.replyDelay())
                     .arg(server_.payments().size());
        lines << QStringLiteral("statuses %1; cancel %2; correct %3")
                     .arg(server_.statusProgression(RowKind::Payment).join(QLatin1Char(',')),
                          server_.statusProgression(RowKind::Cancellation).join(QLatin1Char(',')),
                          server_.statusProgression(RowKind::Correction).join(QLatin1Char(',')));
        return lines << ok;
    }
    if (command == QLatin1String("refuse")) {
        int count = 1;
        if (words.isEmpty() || words.size() > 2 ||
            (words.size() == 2 && (!readCount(words[1], &count) || count == 0)))
            return {error(QStringLiteral("usage: refuse O|( [N]"))};
        if (words[0] == QLatin1String("O"))
            server_.refuseNextPayment(Refusal::DepositExhausted, count);
        else if (words[0] == QLatin1String("("))
            server_.refuseNextPayment(Refusal::CertificateMissing, count);
        else
            return {error(QStringLiteral("refuse takes O or ("))};
        return {ok};
    }
    if (command == QLatin1String("silent") || command == QLatin1String("delay")) {
        int value = 0;
        if (words.size() != 1 || !readCount(words[0], &value))
            return {error(QStringLiteral("usage: %1 N (a whole number, 0 or more)").arg(command))};
        if (command == QLatin1String("silent"))
            server_.staySilent(value);
        else
            server_.setReplyDelay(value);
        return {ok};
    }
    if (command == QLatin1String("drop")) {
        server_.dropClients();
        return {ok};
    }
    if (command == QLatin1String("raw") || command == QLatin1String("send") ||
        command == QLatin1String("news")) {
        bool good = false;
        const QString text = unescape(argument, &good);
        if (!good)
            return {error(QStringLiteral("bad escape in text"))};
        if (text.isEmpty() && command != QLatin1String("news"))
            return {error(QStringLiteral("usage: %1 TEXT").arg(command))};
        if (command == QLatin1String("raw"))
            server_.sendRaw(text);
        else if (command == QLatin1String("send"))
            server_.sendMessage(text);
        else
            server_.sendNews(text);
        return {ok};
    }
    if (command == QLatin1String("statuses")) {
        RowKind kind = RowKind::Payment;
        QStringList rest = words;
        if (!rest.isEmpty() && rest[0] == QLatin1String("cancel")) {
            kind = RowKind::Cancellation;
            rest.removeFirst();
        } else if (!rest.isEmpty() && rest[0] == QLatin1String("correct")) {
            kind = RowKind::Correction;
            rest.removeFirst();
        }
        if (rest.size() != 1 || !server_.setStatusProgression(rest[0].split(QLatin1Char(',')), kind))
            return {error(QStringLiteral("usage: statuses [cancel|correct] 7,7,1"))};
        return {ok};
    }
    if (command == QLatin1String("deposit") || command == QLatin1String("limit")) {
        qint64 cents = 0;
        if (words.isEmpty() || words.size() > 2 || !Money::parse(words[0], &cents))
            return {error(QStringLiteral("usage: %1 SUM [LOGIN]").arg(command))};
        const double amount = Money::toDouble(cents);
        const bool isDeposit = command == QLatin1String("deposit");
        if (words.size() == 2) {
            const bool known =
                isDeposit ? server_.setDeposit(words[1], amount) : server_.setLimit(words[1], amount);
            if (!known)
                return {error(QStringLiteral("no account %1").arg(words[1]))};
        } else if (isDeposit) {
            server_.setDepositForAll(amount);
        } else {
            server_.setLimitForAll(amount);
        }
        return {ok};
    }
    if (command == QLatin1String("account")) {
        const qsizetype colon = argument.indexOf(QLatin1Char(':'));
        if (colon <= 0 || !server_.addAccount(argument.left(colon), argument.mid(colon + 1)))
            return {error(QStringLiteral("usage: account LOGIN:PASSWORD"))};
        return {ok};
    }
    if (command == QLatin1String("received")) {
        int count = 10;
        if (words.size() > 1 || (words.size() == 1 && !readCount(words[0], &count)))
            return {error(QStringLiteral("usage: received [N]"))};
        const QStringList all = server_.received();
        QStringList lines;
        for (qsizetype i = qMax<qsizetype>(0, all.size() - count); i < all.size(); ++i) {
            QString shown = all[i];
            shown.replace(QLatin1Char('\r'), QStringLiteral("\\r"))
                .replace(QLatin1Char('\n'), QStringLiteral("\\n"));
            lines << shown;
        }
        return lines << ok;
    }
    return {error(QStringLiteral("unknown command '%1'; try 'help'").arg(command))};
}

} // namespace sim
