#include "E2eFixture.h"

#include "link/ServerLink.h"
#include "payments/PaymentJournal.h"
#include "ui/ElidedLabel.h"
#include "ui/Oplata.h"

#include <QApplication>
#include <QLabel>
#include <QToolButton>

namespace {

using Col = PaymentJournal::Column;

class TlsEndToEnd : public EndToEnd {
protected:
    TlsEndToEnd() { tls = true; }
    QString panel(const char* name) { return find<QLabel>(&main(), name)->text(); }
};

TEST_F(TlsEndToEnd, LogsInAndPaysOverTls) {
    forms->Oplat->setShowFunction([](TOplat& w) {
        w.show();
        w.activateWindow();
    });
    logIn();
    // At the window's own size the server panel shortens the address, never the "(TLS)".
    auto* serverPanel = find<ElidedLabel>(&main(), "StatusPanel9");
    EXPECT_EQ(serverPanel->fullText(), QStringLiteral("127.0.0.1:%1 (TLS)").arg(server.serverPort()));
    EXPECT_TRUE(serverPanel->text().endsWith(QStringLiteral("(TLS)"))) << serverPanel->text().toStdString();
    EXPECT_EQ(panel("LabelTls"), QStringLiteral("Соединение: защищенное (TLS)"));

    // "Орбита Мобайл", seven digits, 100 taken, paid at once.
    QTest::mouseClick(find<QToolButton>(&main(), "Buton1"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == forms->Oplat; }));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1234567"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("100"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // to "ОПЛАТИТЬ"
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // pay
    ASSERT_TRUE(waitUntil([&] {
        return dialogs.texts().contains(QStringLiteral("Синхронизация платежей успешно закончена!"));
    }));
    PaymentJournal& j = terminal().journal();
    EXPECT_EQ(j.cell(2, Col::TransactionId), QStringLiteral("101_261209140509"));
    EXPECT_EQ(j.cell(2, Col::Note), QStringLiteral("В очереди"));
    ASSERT_EQ(server.payments().size(), 1);
    EXPECT_EQ(server.payments().front().transaction, QStringLiteral("101_261209140509"));
    shot(&main(), QStringLiteral("main-tls"));
}

TEST_F(EndToEnd, PlainLinkIsShownUnencrypted) {
    ASSERT_TRUE(waitUntil([&] { return terminal().link().isOpen(); }));
    EXPECT_EQ(find<ElidedLabel>(&main(), "StatusPanel9")->fullText(),
              QStringLiteral("127.0.0.1:%1").arg(server.serverPort()));
    EXPECT_EQ(find<QLabel>(&main(), "LabelTls")->text(), QStringLiteral("Соединение: без шифрования"));
}

} // namespace
