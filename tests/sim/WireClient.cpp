#include "WireClient.h"

#include "sim/Cp1251.h"

#include <QHostAddress>
#include <QtTest/QTest>

#include <gtest/gtest.h>

WireClient::WireClient(quint16 port) {
    QObject::connect(&socket_, &QTcpSocket::readyRead, [this] { read(); });
    socket_.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
    // A failed connection shows as isConnected() == false, which the tests check.
    (void)QTest::qWaitFor([this] { return isConnected(); }, Patience);
}

void WireClient::send(const QStringList& bodies) {
    QByteArray bytes;
    for (const QString& body : bodies)
        bytes += sim::Cp1251::encode(body) + "$k$";
    sendBytes(bytes);
}

void WireClient::sendBytes(const QByteArray& bytes) {
    socket_.write(bytes);
    socket_.flush();
}

void WireClient::read() {
    const QByteArray chunk = socket_.readAll();
    raw_ += chunk;
    pending_ += chunk;
    qsizetype at;
    while ((at = pending_.indexOf("$k$")) >= 0) {
        messages_ << sim::Cp1251::decode(pending_.left(at));
        pending_.remove(0, at + 3);
    }
}

bool WireClient::waitForMessages(int count) {
    return QTest::qWaitFor([&] { return messages_.size() >= count; }, Patience);
}

QString WireClient::take() {
    if (!waitForMessages(taken_ + 1)) {
        ADD_FAILURE() << "no message arrived; received so far: " << messages_.join(" | ").toStdString();
        return QString();
    }
    return messages_.at(taken_++);
}

QStringList WireClient::take(int count) {
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << take();
    return list;
}

bool WireClient::waitDisconnected() {
    return QTest::qWaitFor([this] { return socket_.state() == QAbstractSocket::UnconnectedState; }, Patience);
}
