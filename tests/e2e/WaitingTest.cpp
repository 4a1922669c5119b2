#include "E2eFixture.h"

#include "link/PaymentCreation.h"
#include "link/WaitingSender.h"
#include "payments/PaymentJournal.h"
#include "platform/Locale.h"
#include "reports/DayReconciliation.h"
#include "ui/Sverka.h"

#include <QAction>

namespace {

using Col = PaymentJournal::Column;

class WaitingEndToEnd : public EndToEnd {
protected:
    PaymentJournal& journal() { return terminal().journal(); }
    void pay(const char* account) {
        terminal().creation().payNow(PaymentInput{
            QStringLiteral(" Орбита Мобайл"), QStringLiteral("1101"), QString::fromLatin1(account),
            QStringLiteral("98") + Locale::decimalSeparator() + QStringLiteral("00"), QStringLiteral("100"),
            QStringLiteral("20")});
    }
    int boxes(const char* text) const { return int(dialogs.texts().count(QString::fromUtf8(text))); }
};

TEST_F(WaitingEndToEnd, APaymentLeftOverByALostLinkIsOfferedAfterTheRestartAndTheDayReconciles) {
    logIn();
    pay("901111111");
    ASSERT_TRUE(waitUntil([&] { return boxes("Синхронизация платежей успешно закончена!") == 1; }));
    clock.advance(60);
    // The server takes the second payment but the line drops before its answer.
    server.staySilent(1);
    pay("902222222");
    ASSERT_TRUE(waitUntil([&] { return server.payments().size() == 2; }));
    server.dropClients();
    ASSERT_TRUE(waitUntil([&] { return !terminal().session().registered(); }));
    ASSERT_EQ(journal().cell(2, Col::SendFlag), QStringLiteral("0"));

    // The cashier restarts the program and logs in: one payment waits.
    program.reset();
    dialogs.shown.clear();
    start();
    dialogs.answer(true);
    logIn();
    ASSERT_TRUE(waitUntil([&] { return !dialogs.shown.isEmpty(); }));
    EXPECT_EQ(dialogs.shown.first().text,
              QStringLiteral("Неотправленные платежи: 1 (из них за прошлые дни: 0). Отправить сейчас?"));
    ASSERT_TRUE(waitUntil([&] { return boxes("Синхронизация платежей успешно закончена!") == 1; }));
    shot(&main(), QStringLiteral("waiting-sent"));
    find<QAction>(&main(), "N4")->trigger(); // the statuses once more: both credited
    ASSERT_TRUE(waitUntil([&] { return boxes("Синхронизация платежей успешно закончена!") == 2; }));
    for (int row : {2, 3}) {
        EXPECT_EQ(journal().cell(row, Col::Note), QStringLiteral("Зачислено")) << row;
        EXPECT_EQ(journal().cell(row, Col::SendFlag), QStringLiteral("2")) << row;
    }
    // Charged once each.
    EXPECT_EQ(server.payments().size(), 2);
    EXPECT_DOUBLE_EQ(server.deposit(QStringLiteral("101")), 15000.00 - 2 * 98.00);

    // The day against the server's statement: no difference.
    find<QAction>(&main(), "Reconcile")->trigger();
    ASSERT_TRUE(forms->Reconcile->isVisible());
    ASSERT_TRUE(waitUntil([&] { return terminal().reconciliation().compared(); }));
    EXPECT_TRUE(terminal().reconciliation().result().clean());
    EXPECT_EQ(terminal().reconciliation().result().matched, 2);
    shot(forms->Reconcile, QStringLiteral("reconciliation-clean"));
}

} // namespace
