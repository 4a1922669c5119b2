#include "platform/Money.h"
#include "platform/Locale.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

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
        // Not numbers at all.
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

// Every form under both separators: what reads, and the exact value it reads as.
TEST(Decimal, EachFormReadsItsOwnTextsUnderEitherSeparator) {
    using F = Decimal::Form;
    struct Case {
        F form;
        const char* text; // "_" stands for the locale's separator
        bool reads;
        qint64 units;
        int scale;
    };
    const Case cases[] = {
        // The day file, the server's files, the tariffs: "." or ",", whatever the locale.
        {F::Figure, "98.00", true, 98, 0},
        {F::Figure, "98,00", true, 98, 0},
        {F::Figure, "-150.50", true, -1505, 1},
        {F::Figure, " 7.25 ", true, 725, 2},
        {F::Figure, "20,5", true, 205, 1},
        {F::Figure, "1e2", true, 100, 0},
        {F::Figure, "12,", true, 12, 0},
        {F::Figure, "1.234,5", false, 0, 0},
        {F::Figure, "1,5,3", false, 0, 0},
        {F::Figure, "сумма", false, 0, 0},
        {F::Figure, "", false, 0, 0},
        {F::Figure, "1234567890123456", false, 0, 0}, // more than an exact sum holds
        // What the cashier types: the locale's separator only.
        {F::Typed, "1_5", true, 15, 1},
        {F::Typed, "0_000000000000001", true, 1, 15},
        // Goods: four decimals, the fifth rounded halves away from zero; no exponent;
        // spaces and tabs around; a whole part below 10^12.
        {F::Goods, "1_23455", true, 12346, 4},
        {F::Goods, "1_23454999", true, 12345, 4},
        {F::Goods, "-0_00005", true, -1, 4},
        {F::Goods, "0_00004999", true, 0, 0},
        {F::Goods, " 12_50\t", true, 125, 1},
        {F::Goods, "999999999999_99995", true, 1000000000000, 0},
        {F::Goods, "1000000000000", false, 0, 0},
        {F::Goods, "1e3", false, 0, 0},
        {F::Goods, "12\n", false, 0, 0},
        {F::Goods, "_", false, 0, 0},
    };
    for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
        Locale::setDecimalSeparator(separator);
        for (const Case& c : cases) {
            const QString text = QString::fromUtf8(c.text).replace(QLatin1Char('_'), separator);
            SCOPED_TRACE(text.toStdString());
            const std::optional<Decimal> d = Decimal::read(text, c.form);
            ASSERT_EQ(d.has_value(), c.reads);
            if (d) {
                EXPECT_EQ(d->units(), c.units);
                EXPECT_EQ(d->scale(), c.scale);
            }
        }
        // Only the locale's separator is typed; the other mark is no number.
        const QChar other = separator == QLatin1Char('.') ? QLatin1Char(',') : QLatin1Char('.');
        EXPECT_FALSE(Decimal::read(QStringLiteral("1") + other + QStringLiteral("5")));
        EXPECT_FALSE(Decimal::read(QStringLiteral("1") + other + QStringLiteral("5"), F::Goods));
    }
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
    // Goods: a unit price and a sale's sum from four-decimal figures.
    EXPECT_EQ(Money::divide(d("1"), d("8")), 13);   // 0.125
    EXPECT_EQ(Money::divide(d("-1"), d("8")), -13); // -0.125
    EXPECT_EQ(Money::divide(d("0.35"), d("3")), 12);
    EXPECT_EQ(Money::times(d("12.5"), 3), 3750);
    EXPECT_EQ(Money::times(d("0.0049"), 1), 0);
    EXPECT_EQ(Money::times(d("0.0025"), -2), -1);
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

// Totals are exact where single precision lost hundredths; the figures still held
// in single precision (the statements' maxima and day totals) keep what they gave.
TEST(Money, TotalsAreExactAndTheSinglePrecisionRuleKeepsItsOldFigures) {
    struct Case {
        std::vector<const char*> figures;
        int times; // the figures repeated so many times
        const char* exact;
        const char* single;
    };
    const Case cases[] = {
        {{"0.10"}, 3, "0.30", "0.30"},
        {{"0.10"}, 1000, "100.00", "100.00"},
        {{"0.10"}, 10000, "1000.00", "999.90"},
        {{"16777217"}, 1, "16777217.00", "16777216.00"},
        {{"16777216", "1"}, 1, "16777217.00", "16777216.00"},
        {{"1234567.89"}, 1, "1234567.89", "1234567.88"},
        {{"200000.01"}, 1, "200000.01", "200000.02"},
        {{"100.50", "20,25"}, 1, "120.75", "120.75"},
        {{"150.00", "-150.00", "0.005"}, 1, "0.01", "0.00"},
        {{"1.005"}, 1, "1.01", "1.00"}, // a half in decimal, below it in binary
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exact);
        Money::Total exact;
        float single = 0;
        for (int k = 0; k < c.times; ++k) {
            for (const char* figure : c.figures) {
                const Decimal value = *Decimal::read(QString::fromLatin1(figure), Decimal::Form::Figure);
                exact.add(value);
                single += Money::asSinglePrecision(value);
            }
        }
        EXPECT_EQ(Money::format(exact.cents()), QString::fromLatin1(c.exact));
        EXPECT_EQ(Money::format(Money::singlePrecisionCents(single)), QString::fromLatin1(c.single));
    }
    EXPECT_EQ(Money::asSinglePrecision(*Decimal::read(QStringLiteral("1234.56"))), 1234.56f);
    EXPECT_EQ(Money::asSinglePrecision(*Decimal::read(QStringLiteral("16777217"))), 16777216.0f);
    EXPECT_EQ(Money::singlePrecisionCents(-0.125f), -13);
    EXPECT_EQ(Money::singlePrecisionCents(3e-39f), 0); // below the normal floats
    EXPECT_EQ(Money::singlePrecisionCents(1e30f), std::numeric_limits<qint64>::max());
}

} // namespace
