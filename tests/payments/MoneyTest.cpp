#include "payments/Money.h"
#include "platform/Locale.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(Decimal, ReadsExactlyWhatTheSumFieldTakesWithinFifteenDigits) {
    struct Case {
        const char* text;
        bool reads;
        qint64 units;
        int scale;
    };
    const Case cases[] = {
        {"12.5", true, 125, 1},
        {" -0.50 ", true, -5, 1},
        {"+7", true, 7, 0},
        {".25", true, 25, 2},
        {"3.", true, 3, 0},
        {"1e3", true, 1000, 0},
        {"25E-4", true, 25, 4},
        {"000120.000", true, 120, 0},
        {"0.000", true, 0, 0},
        {"123456789012345", true, 123456789012345, 0},
        {"1234567890.12345", true, 123456789012345, 5},
        {"0.000000000000001", true, 1, 15},
        // Beyond fifteen digits the sum would not be exact: it does not read.
        {"1234567890123456", false, 0, 0},
        {"1e15", false, 0, 0},
        {"0.0000000000000001", false, 0, 0},
        {"1e400", false, 0, 0},
        // What Locale::toDouble refuses.
        {"", false, 0, 0},
        {"-", false, 0, 0},
        {"1,5", false, 0, 0},
        {"1.5.5", false, 0, 0},
        {"1e", false, 0, 0},
        {"+-1", false, 0, 0},
        {"12a", false, 0, 0},
    };
    for (const Case& c : cases) {
        const std::optional<Decimal> d = Decimal::read(QString::fromLatin1(c.text));
        ASSERT_EQ(d.has_value(), c.reads) << c.text;
        if (d) {
            EXPECT_EQ(d->units(), c.units) << c.text;
            EXPECT_EQ(d->scale(), c.scale) << c.text;
        }
    }
    Locale::setDecimalSeparator(QLatin1Char(','));
    EXPECT_EQ(Decimal::read(QStringLiteral("1,5")), Decimal::fromCents(150));
    EXPECT_FALSE(Decimal::read(QStringLiteral("1.5")));
    Locale::setDecimalSeparator(QLatin1Char('.'));
}

TEST(Money, RoundsOnceHalvesAwayFromZero) {
    auto d = [](const char* text) { return *Decimal::read(QString::fromLatin1(text)); };
    EXPECT_EQ(Money::toCents(d("0.005")), 1);
    EXPECT_EQ(Money::toCents(d("-0.005")), -1);
    EXPECT_EQ(Money::toCents(d("0.00499999")), 0);
    EXPECT_EQ(Money::toCents(d("524288.01")), 52428801);
    EXPECT_EQ(Money::lessPercentage(d("100"), d("2")), 9800);
    EXPECT_EQ(Money::lessPercentage(d("12.25"), d("2")), 1201); // 12.005
    EXPECT_EQ(Money::lessPercentage(d("0.01"), d("50")), 1);    // 0.005
    EXPECT_EQ(Money::lessPercentage(d("100"), d("-1.5")), 10150);
    EXPECT_EQ(Money::lessAmount(d("100.01"), d("1.5")), 9851);
    EXPECT_EQ(Money::lessAmount(d("1"), d("1.005")), -1); // -0.005
    EXPECT_EQ(Money::divide(4900, d("2.5")), 1960);
    EXPECT_EQ(Money::divide(2, d("3")), 1);
    EXPECT_EQ(Money::divide(-4900, d("-2")), 2450);
    EXPECT_EQ(Money::divide(1, d("-2")), -1);
    // A tariff far outside reason stops at the end of the range instead of wrapping.
    EXPECT_EQ(Money::lessPercentage(d("999999999999999"), d("-99999999999999")),
              std::numeric_limits<qint64>::max());
}

TEST(Money, FormatsTwoDecimalsWithTheLocalesSeparator) {
    EXPECT_EQ(Money::format(0), QStringLiteral("0.00"));
    EXPECT_EQ(Money::format(-1), QStringLiteral("-0.01"));
    EXPECT_EQ(Money::format(123456), QStringLiteral("1234.56"));
    EXPECT_EQ(Money::format(-std::numeric_limits<qint64>::max()), QStringLiteral("-92233720368547758.07"));
    Locale::setDecimalSeparator(QLatin1Char(','));
    EXPECT_EQ(Money::format(-9851), QStringLiteral("-98,51"));
    Locale::setDecimalSeparator(QLatin1Char('.'));
}

} // namespace
