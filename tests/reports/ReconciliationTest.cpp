#include "reports/Reconciliation.h"
#include "platform/Locale.h"
#include "platform/Money.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using namespace Reconciliation;

JournalRow row(const char* id, const char* credited, const char* account = "901234567") {
    JournalRow r;
    r.transactionId = QString::fromLatin1(id);
    r.credited = QString::fromLatin1(credited);
    r.received = r.credited;
    r.account = QString::fromLatin1(account);
    r.sendFlag = SendFlag::Final;
    return r;
}

QStringList ids(const QList<JournalRow>& rows) {
    QStringList out;
    for (const JournalRow& r : rows)
        out << r.transactionId;
    return out;
}

TEST(Reconciliation, ComparesTheJournalWithTheStatementByTransaction) {
    const QList<JournalRow> journal = {
        row("101_A", "98,00"),           // match, decimal comma against the server's point
        row("101_B", "49.00"),           // never reached the server
        row("101_C", "10.00"),           // the server booked another sum
        row("101_D", "-150.00", "9001"), // a cancellation request: matched by its id alone
        row("101_E", "20.00"),           // the statement writes it with a note after "*"
        row("", ""),                     // a blank row
    };
    const QStringList statement = {
        QStringLiteral("Остаток на начало дня 10.12.2026: 1000.00 сомони"),
        QStringLiteral("08:00#10.12.26#Касса#0.00#500.00#1500.00#ПП-261210#Пополнение депозита#"),
        QStringLiteral("10:00#10.12.26#901234567#98.00#0.00#1402.00#101_A#Орбита#"),
        QStringLiteral("10:05#10.12.26#901234567#12.00#0.00#1390.00#101_C#Орбита#"),
        QStringLiteral("10:10#10.12.26#9001#0.00#0.00#1390.00#101_D#Заявка на отмену -150.00#"),
        QStringLiteral("10:20#10.12.26#901234567#20.00#0.00#1370.00#101_E*повтор#x#"),
        QStringLiteral("11:00#10.12.26#907777777#5.00#0.00#1365.00#101_Z#Звезда#"),
    };
    const Result r = compare(journal, statement);
    EXPECT_EQ(r.matched, 3);
    EXPECT_EQ(ids(r.onlyInJournal), QStringList({"101_B"}));
    ASSERT_EQ(r.onlyOnServer.size(), 1);
    EXPECT_EQ(r.onlyOnServer[0].transactionId, QStringLiteral("101_Z"));
    ASSERT_EQ(r.sumsDiffer.size(), 1);
    EXPECT_EQ(r.sumsDiffer[0].row.transactionId, QStringLiteral("101_C"));
    EXPECT_EQ(r.sumsDiffer[0].movement.payment, QStringLiteral("12.00"));
    EXPECT_EQ(r.payIns, 1);
    EXPECT_FALSE(r.clean());
}

TEST(Reconciliation, AnEmptyDayIsCleanAndSumsReadEitherWay) {
    EXPECT_TRUE(compare({}, {QStringLiteral("caption only")}).clean());
    struct Sum {
        const char* text;
        bool ok;
        qint64 cents;
    };
    const Sum sums[] = {{"98,00", true, 9800}, {"98.5", true, 9850}, {"-150.00", true, -15000},
                        {"7", true, 700},      {"1.005", false, 0},  {"abc", false, 0},
                        {"", false, 0},        {"1.500", true, 150}, {"524288.01", true, 52428801}};
    for (const Sum& s : sums) {
        qint64 value = 0;
        EXPECT_EQ(cents(QString::fromLatin1(s.text), &value), s.ok) << s.text;
        if (s.ok) {
            EXPECT_EQ(value, s.cents) << s.text;
        }
    }
    Locale::setDecimalSeparator(QLatin1Char(','));
    EXPECT_EQ(Money::format(-15000), QStringLiteral("-150,00"));
    EXPECT_EQ(Money::format(5), QStringLiteral("0,05"));
    Locale::setDecimalSeparator(QLatin1Char('.'));
}

} // namespace
