#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>

namespace sim {

class PaymentServer;

// A line-based text port for steering a running simulator by hand or from a script
// (nc 127.0.0.1 N). Every command is answered by "ok" or a line starting with "error:";
// "help", "info" and "received" print their lines before the "ok".
class ControlPort : public QObject {
    Q_OBJECT
public:
    explicit ControlPort(PaymentServer& server, QObject* parent = nullptr);

    // Loopback addresses only.
    bool listen(const QHostAddress& address, quint16 port = 0);
    bool isListening() const { return tcp_.isListening(); }
    quint16 serverPort() const { return tcp_.serverPort(); }
    QString errorString() const;

    // Runs one command line and returns the lines of its answer.
    QStringList execute(const QString& line);

    // "\r", "\n", "\t", "\\" and "\xHH" (a cp1251 byte) inside a raw, send or news text.
    static QString unescape(const QString& text, bool* ok = nullptr);

private:
    void acceptClients();

    PaymentServer& server_;
    QTcpServer tcp_;
};

} // namespace sim
