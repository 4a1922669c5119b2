#include "E2eFixture.h"

#include "link/Cancellation.h"
#include "link/PaymentCreation.h"
#include "link/Transmission.h"
#include "payments/DayRecords.h"
#include "payments/PaymentJournal.h"
#include "platform/Locale.h"

#include <QToolButton>

namespace {

using Col = PaymentJournal::Column;

// A server that answers a payment a little late, and a cashier who tries to
// delete it meanwhile.
TEST_F(EndToEnd, APaymentWaitingForItsAcknowledgementCannotBeDeleted) {
    logIn();
    PaymentJournal& journal = terminal().journal();
    server.setReplyDelay(800);
    terminal().creation().payNow(PaymentInput{
        QStringLiteral(" Орбита Мобайл"), QStringLiteral("1101"), QStringLiteral("901234567"),
        QStringLiteral("98") + Locale::decimalSeparator() + QStringLiteral("00"), QStringLiteral("100"),
        QStringLiteral("20")});
    const QString id = journal.cell(2, Col::TransactionId);
    ASSERT_TRUE(terminal().transmission().onItsWay(id));

    journal.setCurrentRow(2);
    dialogs.answer(true);
    QTest::mouseClick(find<QToolButton>(&main(), "ToolButton5"), Qt::LeftButton);
    ASSERT_FALSE(dialogs.shown.isEmpty());
    EXPECT_EQ(dialogs.last().text, Cancellation::OnItsWayText);
    EXPECT_EQ(journal.cell(2, Col::TransactionId), id);

    // The acknowledgement arrives: the row is there, accepted.
    ASSERT_TRUE(waitUntil([&] { return journal.cell(2, Col::SendFlag) == QStringLiteral("1"); }));
    EXPECT_EQ(journal.cell(2, Col::TransactionId), id);
    EXPECT_FALSE(dialogs.texts().contains(QStringLiteral("Транзакция ") + id + QStringLiteral(" ненайдена!")));
    EXPECT_TRUE(terminal().records().deletions(clock.now().date()).isEmpty());
    server.setReplyDelay(0);
}

// A payment that never left the terminal is deleted, and the deletion recorded.
TEST_F(EndToEnd, ADeferredPaymentIsDeletedAndTheDeletionRecorded) {
    logIn();
    PaymentJournal& journal = terminal().journal();
    terminal().creation().defer(PaymentInput{
        QStringLiteral(" Орбита Мобайл"), QStringLiteral("1101"), QStringLiteral("902222222"),
        QStringLiteral("10") + Locale::decimalSeparator() + QStringLiteral("00"), QStringLiteral("10"),
        QStringLiteral("20")});
    const QString id = journal.cell(2, Col::TransactionId);
    journal.setCurrentRow(2);
    dialogs.answer(true);
    QTest::mouseClick(find<QToolButton>(&main(), "ToolButton5"), Qt::LeftButton);
    EXPECT_LT(journal.rowOfTransaction(id), 0);
    const QList<DayRecords::Deletion> deleted = terminal().records().deletions(clock.now().date());
    ASSERT_EQ(deleted.size(), 1);
    EXPECT_EQ(deleted[0].transactionId, id);
    EXPECT_EQ(deleted[0].account, QStringLiteral("902222222"));
    EXPECT_EQ(deleted[0].received, QStringLiteral("10"));
    EXPECT_EQ(deleted[0].note, QStringLiteral("отложено"));
}

} // namespace
