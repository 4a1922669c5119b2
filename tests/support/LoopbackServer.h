#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// A scriptable peer on 127.0.0.1: accepts one client at a time, records what it
// receives and sends what the test says. Waits run the event loop, briefly.
class LoopbackServer : public QObject {
public:
    LoopbackServer();
    quint16 port() const { return server_.serverPort(); }

    bool waitForClient(int ms = 5000);
    bool hasClient() const { return client_ && client_->state() == QAbstractSocket::ConnectedState; }
    // Waits until the received bytes contain `needle`.
    bool waitForReceived(const QByteArray& needle, int ms = 5000);
    void send(const QByteArray& bytes);
    void dropClient();
    void close();

    QByteArray received;
    int connections = 0;

private:
    QTcpServer server_;
    QPointer<QTcpSocket> client_;
};

// Runs the event loop until the condition holds or the time is up.
bool waitUntil(const std::function<bool()>& condition, int ms = 5000);
