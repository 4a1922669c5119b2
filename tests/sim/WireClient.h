#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTcpSocket>

// A terminal's end of the wire for tests: sends frames, collects the server's messages.
class WireClient {
public:
    static constexpr int Patience = 5000; // ms; an upper bound, the waits end as soon as they can

    explicit WireClient(quint16 port);

    bool isConnected() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    // Sends every body with its terminator, all in one write.
    void send(const QStringList& bodies);
    void sendBytes(const QByteArray& bytes);

    // The next message not taken yet, waiting for it; empty (and a test failure) if none comes.
    QString take();
    QStringList take(int count);
    // Waits until at least count messages have arrived in all.
    bool waitForMessages(int count);
    bool waitDisconnected();
    // Messages received and not taken yet.
    int untaken() const { return int(messages_.size()) - taken_; }
    const QByteArray& rawBytes() const { return raw_; }

private:
    void read();

    QTcpSocket socket_;
    QByteArray raw_;
    QByteArray pending_;
    QStringList messages_;
    int taken_ = 0;
};
