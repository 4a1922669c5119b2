#include "E2eFixture.h"

#include "link/PaymentCreation.h"
#include "payments/PaymentJournal.h"
#include "platform/Locale.h"
#include "shift/Shift.h"
#include "shift/ZReports.h"
#include "ui/Smena.h"

#include <QLabel>
#include <QListWidget>
#include <QToolButton>

namespace {

QString sum(const char* whole, const char* cents) {
    return QString::fromLatin1(whole) + Locale::decimalSeparator() + QString::fromLatin1(cents);
}

// A day at the payment point: a float at the first login, two payments, cash
// taken out, the drawer counted short, and the shift closed with a Z that the
// next shift starts from.
TEST_F(EndToEnd, AShiftIsPaidCountedAndClosedAndTheNextStartsFromItsDrawer) {
    dialogs.textAnswers.push_back(sum("500", "00"));
    logIn();
    ASSERT_EQ(floatQuestions, 1);
    EXPECT_EQ(terminal().shift().figures().openingFloat, 50000);
    PaymentJournal& journal = terminal().journal();
    terminal().creation().payNow(PaymentInput{QStringLiteral(" Орбита Мобайл"), QStringLiteral("1101"),
                                              QStringLiteral("901234567"), sum("98", "00"), QStringLiteral("100"),
                                              QStringLiteral("20")});
    terminal().creation().payNow(PaymentInput{QStringLiteral(" Орбита Мобайл"), QStringLiteral("1101"),
                                              QStringLiteral("901234568"), sum("196", "00"), QStringLiteral("200"),
                                              QStringLiteral("20")});
    ASSERT_TRUE(waitUntil([&] {
        return journal.sendFlag(2) == SendFlag::Accepted || journal.sendFlag(2) == SendFlag::Final;
    }));
    ASSERT_TRUE(waitUntil([&] {
        return journal.sendFlag(3) == SendFlag::Accepted || journal.sendFlag(3) == SendFlag::Final;
    }));

    QTest::mouseClick(find<QToolButton>(&main(), "ToolButtonShift"), Qt::LeftButton);
    QWidget* window = forms->Smena;
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(waitUntil([&] { return window->isVisible(); }));

    QTest::keyClicks(find<QLineEdit>(window, "CashSum"), sum("50", "00"));
    type(find<QLineEdit>(window, "CashNote"), QStringLiteral("инкассация"));
    QTest::mouseClick(find<QPushButton>(window, "CashOut"), Qt::LeftButton);
    EXPECT_EQ(terminal().shift().figures().cashOut.cents, 5000);
    // 500 + 300 taken - 50 out.
    EXPECT_EQ(terminal().shift().figures().expected(), 75000);
    EXPECT_TRUE(find<QLabel>(window, "ExpectedLabel")->text().contains(sum("750", "00")));

    // No count, then a count short without a note: nothing is closed.
    auto* close = find<QPushButton>(window, "ZClose");
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Введите сумму наличных, подсчитанных в кассе"));
    QTest::keyClicks(find<QLineEdit>(window, "CountedEdit"), sum("740", "00"));
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_TRUE(dialogs.last().text.startsWith(QStringLiteral("Наличные расходятся")));
    const QString terminalDir = programDir + QStringLiteral("101/");
    EXPECT_TRUE(ZReports(terminalDir).numbers().isEmpty());

    type(find<QLineEdit>(window, "NoteEdit"), QStringLiteral("недостача, пересчитано"));
    dialogs.answer(true);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_EQ(dialogs.texts().filter(QStringLiteral("Будет записан Z-отчет № 1")).size(), 1);
    ASSERT_EQ(ZReports(terminalDir).numbers(), QList<int>{1});
    const std::optional<ZReports::Closed> z = ZReports(terminalDir).read(1);
    ASSERT_TRUE(z);
    EXPECT_EQ(z->drawer, 74000);
    EXPECT_TRUE(z->lines.join('\n').contains(QStringLiteral("Z-ОТЧЕТ № 1")));
    EXPECT_TRUE(z->lines.join('\n').contains(QStringLiteral("недостача, пересчитано")));
    const QByteArray bytes = TestFiles::read(terminalDir + ZReports::fileName(1));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_FALSE(bytes.contains("\n\n"));
    // Printed as it closed.
    EXPECT_TRUE(printer.lines().join('\n').contains(QStringLiteral("Z-ОТЧЕТ № 1")));
    EXPECT_EQ(find<QListWidget>(window, "ZList")->count(), 1);

    // The next shift starts at zero with what was left in the drawer.
    const ShiftFigures& next = terminal().shift().figures();
    EXPECT_EQ(next.payments.count, 0);
    EXPECT_EQ(next.cashOut.count, 0);
    EXPECT_EQ(next.openingFloat, 74000);
    EXPECT_EQ(next.expected(), 74000);

    // After a restart the float offered is that drawer, and the next Z is 2.
    dialogs.shown.clear();
    start();
    logIn();
    ASSERT_EQ(floatQuestions, 2);
    EXPECT_EQ(dialogs.offered, sum("740", "00"));
    EXPECT_EQ(terminal().shift().figures().openingFloat, 74000);
    EXPECT_EQ(ZReports(terminalDir).nextNumber(), 2);
}

} // namespace
