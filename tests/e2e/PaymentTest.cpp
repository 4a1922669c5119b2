#include "E2eFixture.h"

#include "payments/PaymentJournal.h"
#include "platform/Locale.h"
#include "platform/Money.h"
#include "ui/Oplata.h"

#include <QApplication>
#include <QLabel>
#include <QTableView>
#include <QToolButton>

namespace {

using Col = PaymentJournal::Column;

class PaymentEndToEnd : public EndToEnd {
protected:
    void SetUp() override {
        EndToEnd::SetUp();
        // Shown without blocking, so the test can type into it.
        forms->Oplat->setShowFunction([](TOplat& w) {
            w.show();
            w.activateWindow();
        });
        logIn();
    }

    static QWidget* focused() { return QApplication::focusWidget(); }
    // qWaitForWindowActive counts a window active while its owner is; the keys
    // must go to the window itself.
    static bool waitForActive(QWidget* w) {
        return waitUntil([w] { return QApplication::activeWindow() == w; });
    }

    // Opens "Орбита Мобайл" (prefix 90, seven digits) and types the account and the sum.
    void enter(const QString& digits, const QString& sum) {
        QTest::mouseClick(find<QToolButton>(&main(), "Buton1"), Qt::LeftButton);
        ASSERT_TRUE(waitForActive(forms->Oplat));
        QTest::keyClicks(focused(), digits);
        QTest::keyClick(focused(), Qt::Key_Return);
        QTest::keyClicks(focused(), sum);
    }

    PaymentJournal& journal() { return terminal().journal(); }
    // A cell of today's day file as it is on disk.
    QString onDisk(int row, int column) {
        PaymentJournal j;
        j.fromDayFile(TestFiles::read(terminal().days().dayFilePath()));
        return j.cell(row, column);
    }
    bool passEnded(int count) {
        return dialogs.texts().count(QStringLiteral("Синхронизация платежей успешно закончена!")) >= count;
    }
};

TEST_F(PaymentEndToEnd, KeyboardPaymentIsSentQueuedThenCredited) {
    enter(QStringLiteral("1234567"), QStringLiteral("100"));
    shot(forms->Oplat, QStringLiteral("payment-window"));
    QTest::keyClick(focused(), Qt::Key_Return); // to "ОПЛАТИТЬ"
    QTest::keyClick(focused(), Qt::Key_Return); // pay
    EXPECT_FALSE(forms->Oplat->isVisible());

    // Sent, acknowledged, asked for its status: queued first.
    ASSERT_TRUE(waitUntil([&] { return passEnded(1); }));
    EXPECT_EQ(journal().cell(2, Col::Account), QStringLiteral("901234567"));
    EXPECT_EQ(journal().cell(2, Col::OperatorName), QStringLiteral(" Орбита Мобайл"));
    EXPECT_EQ(journal().cell(2, Col::TransactionId), QStringLiteral("101_261209140509"));
    // In the desktop's own decimal form: "98,00" on a Russian one.
    EXPECT_EQ(journal().cell(2, Col::Credited),
              QStringLiteral("98") + Locale::decimalSeparator() + QStringLiteral("00"));
    EXPECT_EQ(journal().cell(2, Col::Received), QStringLiteral("100"));
    EXPECT_EQ(journal().cell(2, Col::Note), QStringLiteral("В очереди"));
    EXPECT_EQ(journal().cell(2, Col::SendFlag), QStringLiteral("1"));

    // "Обновить статусы": credited.
    find<QAction>(&main(), "N4")->trigger();
    ASSERT_TRUE(waitUntil([&] { return passEnded(2); }));
    EXPECT_EQ(journal().cell(2, Col::Note), QStringLiteral("Зачислено"));
    EXPECT_EQ(onDisk(2, Col::Note), QStringLiteral("Зачислено"));
    EXPECT_EQ(onDisk(2, Col::SendFlag), QStringLiteral("2"));
    EXPECT_EQ(onDisk(2, Col::Status), QStringLiteral("1"));
    EXPECT_FALSE(find<QWidget>(&main(), "Panel4")->isVisible());
    // The simulator charged the deposit once.
    const std::optional<Decimal> credited = Decimal::read(journal().cell(2, Col::Credited));
    ASSERT_TRUE(credited);
    EXPECT_DOUBLE_EQ(server.deposit(QStringLiteral("101")), 15000.00 - credited->toDouble());
    shot(&main(), QStringLiteral("journal-credited"));
}

TEST_F(PaymentEndToEnd, OnePaidOneDeferredAndSentWithF5BothCredited) {
    enter(QStringLiteral("1234567"), QStringLiteral("100"));
    QTest::mouseClick(find<QPushButton>(forms->Oplat, "BitBtn3"), Qt::LeftButton); // ОПЛАТИТЬ
    ASSERT_TRUE(waitUntil([&] { return passEnded(1); }));

    clock.advance(60);
    enter(QStringLiteral("7654321"), QStringLiteral("50"));
    QTest::mouseClick(find<QPushButton>(forms->Oplat, "BitBtn2"), Qt::LeftButton); // ОТЛОЖИТЬ
    EXPECT_FALSE(forms->Oplat->isVisible());
    EXPECT_EQ(journal().cell(2, Col::Note), QStringLiteral("отложено"));
    EXPECT_EQ(journal().cell(2, Col::SendFlag), QStringLiteral("0"));
    EXPECT_EQ(server.payments().size(), 1);

    main().activateWindow();
    ASSERT_TRUE(waitForActive(&main()));
    journal().setCurrentRow(2);
    dialogs.answer(true);
    QTest::keyClick(&main(), Qt::Key_F5);
    EXPECT_TRUE(dialogs.texts().contains(QStringLiteral("Провести платеж 907654321 101_261209140609?")));
    ASSERT_TRUE(waitUntil([&] { return passEnded(2); }));
    find<QAction>(&main(), "N4")->trigger();
    ASSERT_TRUE(waitUntil([&] { return passEnded(3); }));
    for (int row : {2, 3}) {
        EXPECT_EQ(onDisk(row, Col::Note), QStringLiteral("Зачислено")) << row;
        EXPECT_EQ(onDisk(row, Col::SendFlag), QStringLiteral("2")) << row;
    }
    shot(&main(), QStringLiteral("journal-two-credited"));
}

TEST_F(PaymentEndToEnd, BalanceQueryShowsTheServersAnswer) {
    QTest::mouseClick(find<QToolButton>(&main(), "Buton1"), Qt::LeftButton);
    ASSERT_TRUE(waitForActive(forms->Oplat));
    QTest::keyClicks(focused(), QStringLiteral("1234567"));
    QTest::mouseClick(find<QPushButton>(forms->Oplat, "CheckBalance"), Qt::LeftButton);
    EXPECT_FALSE(forms->Oplat->isVisible());
    ASSERT_TRUE(waitUntil([&] { return !dialogs.shown.isEmpty(); }));
    EXPECT_EQ(dialogs.last().title, QStringLiteral("Выполнение формы"));
    EXPECT_TRUE(dialogs.last().text.contains(QStringLiteral("901234567")))
        << dialogs.last().text.toStdString();
    EXPECT_EQ(journal().cell(2, Col::TransactionId), QString()); // nothing recorded
}

TEST_F(PaymentEndToEnd, RefusedPaymentStaysUnsentAndGoesLater) {
    server.refuseNextPayment(sim::Refusal::DepositExhausted);
    enter(QStringLiteral("1111111"), QStringLiteral("10"));
    QTest::mouseClick(find<QPushButton>(forms->Oplat, "BitBtn3"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] {
        return dialogs.texts().contains(
            QStringLiteral("Отказано в проведении платежа!\n Пожалуйста пополните свой баланс!!!"));
    }));
    EXPECT_EQ(journal().cell(2, Col::SendFlag), QStringLiteral("0"));
    EXPECT_FALSE(find<QWidget>(&main(), "Panel4")->isVisible());

    dialogs.answer(true);
    find<QAction>(&main(), "N3")->trigger();
    ASSERT_TRUE(waitUntil([&] { return passEnded(1); }));
    EXPECT_EQ(journal().cell(2, Col::SendFlag), QStringLiteral("1"));
}

} // namespace
