#include "support/LoopbackServer.h"

#include <QTest>

bool waitUntil(const std::function<bool()>& condition, int ms) { return QTest::qWaitFor(condition, ms); }

LoopbackServer::LoopbackServer() {
    if (!server_.listen(QHostAddress::LocalHost, 0))
        qFatal("cannot listen on loopback");
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = server_.nextPendingConnection()) {
            ++connections;
            client_ = s;
            connect(s, &QIODevice::readyRead, this, [this, s] { received += s->readAll(); });
        }
    });
}

bool LoopbackServer::waitForClient(int ms) { return waitUntil([this] { return hasClient(); }, ms); }

bool LoopbackServer::waitForReceived(const QByteArray& needle, int ms) {
    return waitUntil([&] { return received.contains(needle); }, ms);
}

void LoopbackServer::send(const QByteArray& bytes) {
    if (client_) {
        client_->write(bytes);
        client_->flush();
    }
}

void LoopbackServer::dropClient() {
    if (client_)
        client_->abort();
}

void LoopbackServer::close() {
    dropClient();
    server_.close();
}
