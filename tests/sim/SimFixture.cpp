#include "SimFixture.h"

#include "sim/Money.h"

void SimFixture::SetUp() {
    server.setClock([this] { return clockNow; });
    ASSERT_TRUE(server.listen(QHostAddress(QHostAddress::LocalHost), 0));
    ASSERT_NE(server.serverPort(), 0);
}

std::unique_ptr<WireClient> SimFixture::connectClient() {
    auto client = std::make_unique<WireClient>(server.serverPort());
    EXPECT_TRUE(client->isConnected());
    EXPECT_TRUE(client->take().startsWith("d"));
    return client;
}

std::unique_ptr<WireClient> SimFixture::loggedIn(const QString& login, const QString& password) {
    auto client = connectClient();
    client->send(loginWrite(login, password, server.settingsStamp(), server.catalogueStamp()));
    const QStringList replies = client->take(4);
    EXPECT_EQ(replies.value(1), "p") << replies.join(" | ").toStdString();
    return client;
}

QStringList SimFixture::loginWrite(const QString& login, const QString& password,
                                   const QString& settingsStamp, const QString& catalogueStamp) const {
    return {"d" + login + "#" + password + "#" + settingsStamp + "!" + catalogueStamp, "B" + login, "QN"};
}

QString SimFixture::payment(const QString& transaction, const QString& credited, const QString& account,
                            const QString& paymentType, const QString& article) const {
    return "o" + transaction + "#" + paymentType + "$" + article + "?" + credited + "!" + credited + "/" +
           account + "#" + server.certificate("101") + ")";
}

QStringList contentLines(const QString& content) {
    return content.split("\r\n");
}

QStringList fields(const QString& line) {
    QStringList list = line.split('#');
    list.removeLast();
    return list;
}

qint64 cents(const QString& text) {
    qint64 value = 0;
    EXPECT_TRUE(sim::Money::parse(text, &value)) << "not a sum: " << text.toStdString();
    return value;
}
