#include "link/Messages.h"
#include "payments/PaymentJournal.h"
#include "platform/AppError.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using namespace Messages;

TEST(Messages, EveryRequestIsBuiltFromItsFields) {
    const JournalRow row{QStringLiteral("09.12.26 10:00:00"),
                         QStringLiteral(" Орбита"),
                         QStringLiteral("901234567"),
                         QStringLiteral("98,00"),
                         QStringLiteral("100"),
                         QStringLiteral("101_261209100000"),
                         QStringLiteral("в процессе"),
                         QStringLiteral("1101"),
                         QStringLiteral("20"),
                         QString(),
                         SendFlag::Unsent};
    struct Case {
        QString built;
        const char* expected;
    };
    const Case cases[] = {
        // The server's order: type, article, received, credited, account.
        {payment(row, QStringLiteral("CERT")), "o101_261209100000#20$1101?100!98,00/901234567#CERT)"},
        {balanceQuery(QStringLiteral("101_1"), QStringLiteral("1101"), QStringLiteral("90123"),
                      QStringLiteral("C")),
         "o101_1#20$1101?9999!9999/90123#C)"},
        {keepAlive(QString(), QStringLiteral("A6.0")), "T_uA6.0#"},
        {keepAlive(QStringLiteral("101"), QStringLiteral("A6.0")), "T101_uA6.0#"},
        {deposit(QStringLiteral("101")), "B101"},
        {passwordChange(QStringLiteral("101"), QStringLiteral("old"), QStringLiteral("new")), "l101#old#new"},
        {search(QStringLiteral("900")), "Ux900"},
        {search(QString()), "Ux"},
        {statusQuery(QStringLiteral("101_1")), "UZ101_1"},
        {unknownTransaction(QStringLiteral("101")), "Ub101"},
        {monthStatement(QStringLiteral("101"), QStringLiteral("7"), QStringLiteral("26")), "J8101#7#26"},
        {dayStatement(QStringLiteral("101"), QStringLiteral("7"), QStringLiteral("-"), QStringLiteral("26")),
         "J9101#7#-#26"},
        {priceList(QStringLiteral("101")), "Fp101"},
        {stock(QStringLiteral("101")), "Fs101"},
        {turnover(QStringLiteral("101")), "Fv101"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.built, QString::fromUtf8(c.expected));
    EXPECT_EQ(login(QStringLiteral("101"), QStringLiteral("pw"), QStringLiteral("s"), QStringLiteral("c")),
              QStringList({"d101#pw#s!c", "B101", "QN"}));
    EXPECT_EQ(yearStatistics(QStringLiteral("101"), QStringLiteral("26"), QStringLiteral("101")),
              QStringList({"J6101#26", "B101"}));
}

TEST(Messages, TakeFieldCutsAtTheFirstSeparator) {
    QString text = QStringLiteral("a#b#");
    EXPECT_EQ(takeField(text, QLatin1Char('#')), QStringLiteral("a"));
    EXPECT_EQ(text, QStringLiteral("b#"));
    EXPECT_EQ(takeField(text, QLatin1Char('#')), QStringLiteral("b"));
    EXPECT_EQ(takeField(text, QLatin1Char('#')), QString());
    text = QStringLiteral("rest");
    EXPECT_EQ(takeField(text, QLatin1Char('#')), QStringLiteral("rest"));
    EXPECT_TRUE(text.isEmpty());
}

TEST(Messages, GreetingReadsFiveNumbersOrFails) {
    const Greeting g = parseGreeting(QStringLiteral("08.12.10#21:30"));
    EXPECT_EQ(g.day, 8);
    EXPECT_EQ(g.month, 12);
    EXPECT_EQ(g.year, 2010);
    EXPECT_EQ(g.hour, 21);
    EXPECT_EQ(g.minute, 30);
    for (const char* bad : {"xx.12.10#21:30", "08.12.10#21", "08.12.10#ab:30", ""})
        EXPECT_THROW(parseGreeting(QString::fromLatin1(bad)), AppError) << bad;
}

TEST(Messages, DepositFieldsNeedTheirMarkers) {
    struct Case {
        const char* payload;
        const char* deposit; // nullptr: absent
        const char* limit;
    };
    const Case cases[] = {
        {"b500.00#l5000.00#", "500.00", "5000.00"},
        {"b500.00#", "500.00", nullptr},
        {"x1#l2#", nullptr, "2"},
        {"b#l#", "", ""},
        {"", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        const Deposit d = parseDeposit(QString::fromLatin1(c.payload));
        EXPECT_EQ(d.deposit.has_value(), c.deposit != nullptr) << c.payload;
        EXPECT_EQ(d.limit.has_value(), c.limit != nullptr) << c.payload;
        if (c.deposit && d.deposit) {
            EXPECT_EQ(*d.deposit, QString::fromLatin1(c.deposit));
        }
        if (c.limit && d.limit) {
            EXPECT_EQ(*d.limit, QString::fromLatin1(c.limit));
        }
    }
}

TEST(Messages, StatusFileAndSearchRepliesComeApart) {
    const auto status = parseStatus(QStringLiteral("7#101_1"));
    ASSERT_TRUE(status);
    EXPECT_EQ(status->code, QStringLiteral("7"));
    EXPECT_EQ(status->transactionId, QStringLiteral("101_1"));
    EXPECT_FALSE(parseStatus(QStringLiteral("7")));

    const FileReply file = parseFileReply(QStringLiteral("6101#10/a/b\r\nc"));
    EXPECT_EQ(file.name, QStringLiteral("6101#10"));
    EXPECT_EQ(file.content, QStringLiteral("a/b\r\nc"));
    EXPECT_EQ(parseFileReply(QStringLiteral("nameonly")).name, QStringLiteral("nameonly"));

    EXPECT_EQ(parseSearchReply(QStringLiteral("900\nfirst\r\nsecond\ntail")),
              QStringList({"900", "first\r", "second"}));
    EXPECT_TRUE(parseSearchReply(QStringLiteral("no line break")).isEmpty());
}

} // namespace
