#include "payments/OperatorProfile.h"
#include "core/IniFile.h"
#include "platform/Locale.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Every rule here is run under both decimal separators. Texts in the tables
// write the locale's separator as "."; loc() puts the running one in.
class UnderSeparator : public ::testing::TestWithParam<char> {
protected:
    void SetUp() override { Locale::setDecimalSeparator(QLatin1Char(GetParam())); }
    void TearDown() override { Locale::setDecimalSeparator(QLatin1Char('.')); }

    static QString loc(const char* text) {
        return QString::fromUtf8(text).replace(QLatin1Char('.'), Locale::decimalSeparator());
    }
    static QChar other() {
        return Locale::decimalSeparator() == QLatin1Char('.') ? QLatin1Char(',') : QLatin1Char('.');
    }

    // operator.ini and setting.ini each with one section [500] of the given lines.
    OperatorProfile readProfile(const QString& operatorLines, const QString& settingLines) {
        const QString dirPath = TestFiles::dirPath(dir);
        TestFiles::write(dirPath + "operator.ini", section(operatorLines));
        TestFiles::write(dirPath + "101/setting.ini", section(settingLines));
        return OperatorProfile::read(IniFile(dirPath + "operator.ini"), IniFile(dirPath + "101/setting.ini"),
                                     QStringLiteral("500"));
    }

    QTemporaryDir dir;

private:
    static QByteArray section(const QString& lines) {
        return TestFiles::cp(("[500]\n" + lines + "\n").toUtf8().constData()).replace("\n", "\r\n");
    }
};

std::string separatorName(const ::testing::TestParamInfo<char>& info) {
    return info.param == '.' ? "point" : "comma";
}
#define RUN_UNDER_BOTH_SEPARATORS(suite)                                                                     \
    INSTANTIATE_TEST_SUITE_P(Separators, suite, ::testing::Values('.', ','), separatorName)

using ParseDecimal = UnderSeparator;
RUN_UNDER_BOTH_SEPARATORS(ParseDecimal);

TEST_P(ParseDecimal, AcceptsEitherSeparatorOnceAndReadsTheRestAsZero) {
    struct Case {
        const char* text;
        qint64 cents;
    };
    for (const Case& c :
         {Case{"1.5", 150}, Case{"1,5", 150}, Case{"-3,25", -325}, Case{"2", 200}, Case{"0.1", 10},
          Case{"", 0}, Case{"abc", 0}, Case{"1.5.5", 0}, Case{"1,5,5", 0}, Case{"1.000,5", 0}})
        EXPECT_EQ(parseDecimal(QString::fromLatin1(c.text)), Decimal::fromCents(c.cents)) << c.text;
}

using ProfileRead = UnderSeparator;
RUN_UNDER_BOTH_SEPARATORS(ProfileRead);

TEST_P(ProfileRead, MissingFilesGiveTheDefaults) {
    const QString dirPath = TestFiles::dirPath(dir);
    const OperatorProfile p = OperatorProfile::read(
        IniFile(dirPath + "operator.ini"), IniFile(dirPath + "101/setting.ini"), QStringLiteral("500"));
    EXPECT_EQ(p.article, QStringLiteral("500"));
    EXPECT_EQ(p.mask, QStringLiteral("XX=XXX-XX-XX"));
    EXPECT_EQ(p.prefix, QString());
    EXPECT_EQ(p.minSum, Decimal());
    EXPECT_EQ(p.digitCount, 0);
    EXPECT_FALSE(p.balanceQuery);
    EXPECT_EQ(p.exchangeRate, Decimal());
    const int lowers[] = {-1, 0, 0};
    for (int k = 0; k < 3; ++k) {
        const CommissionTier& t = p.tiers[size_t(k)];
        EXPECT_EQ(t.lower, lowers[k]) << k;
        EXPECT_EQ(t.upper, 0) << k;
        EXPECT_EQ(t.rate, Decimal()) << k;
        EXPECT_EQ(t.kind, CommissionKind::Percentage) << k;
        EXPECT_EQ(t.description, QStringLiteral("0")) << k;
        EXPECT_FALSE(t.described()) << k;
    }
}

TEST_P(ProfileRead, ReadsEveryFieldWithItsConversion) {
    const OperatorProfile p = readProfile("Format=XXX-XX\ntel=\" 992 \"\nMinSum=" + loc("1.5") +
                                              "\nkolznak=9\nCheckBalance=1\nkurs=3,2",
                                          "max1=100\nkomis1=2.5\ntypkomis1=1\ntext1=Первый\n"
                                          "max2=250.5\nkomis2=1,5\ntypkomis2=x\ntext2=abc\n"
                                          "max3=300\n");
    EXPECT_EQ(p.mask, QStringLiteral("XXX-XX"));
    EXPECT_EQ(p.prefix, QStringLiteral("992"));
    EXPECT_EQ(p.minSum, Decimal::fromCents(150));
    EXPECT_EQ(p.digitCount, 9);
    EXPECT_TRUE(p.balanceQuery);
    EXPECT_EQ(p.exchangeRate, Decimal::fromCents(320));

    EXPECT_EQ(p.tiers[0].lower, -1);
    EXPECT_EQ(p.tiers[0].upper, 100);
    EXPECT_EQ(p.tiers[0].rate, Decimal::fromCents(250));
    EXPECT_EQ(p.tiers[0].kind, CommissionKind::Amount);
    EXPECT_EQ(p.tiers[0].description, QStringLiteral("Первый"));
    // An upper bound with decimals is not an integer: 0, and the next tier starts there.
    EXPECT_EQ(p.tiers[1].lower, 100);
    EXPECT_EQ(p.tiers[1].upper, 0);
    EXPECT_EQ(p.tiers[1].rate, Decimal::fromCents(150));
    EXPECT_EQ(p.tiers[1].kind, CommissionKind::None);
    EXPECT_EQ(p.tiers[2].lower, 0);
    EXPECT_EQ(p.tiers[2].upper, 300);
}

TEST_P(ProfileRead, UnreadableValuesFallBackToZeroAndOnlyExactlyZeroDisablesTheBalanceQuery) {
    struct Case {
        QString operatorLines;
        qint64 minSum; // whole
        int digitCount;
        bool balanceQuery;
    };
    const Case cases[] = {
        // The minimum reads only with the locale's own separator.
        {QStringLiteral("MinSum=1") + other() + "5", 0, 0, false},
        {"MinSum=abc\nkolznak=9.5\nCheckBalance=00", 0, 0, true},
        {"MinSum=12\nkolznak=nine\nCheckBalance=", 12, 0, true},
        {"kolznak=-3\nCheckBalance=0", 0, -3, false},
    };
    for (const Case& c : cases) {
        const OperatorProfile p = readProfile(c.operatorLines, QString());
        EXPECT_EQ(p.minSum, Decimal::fromInt(c.minSum)) << qPrintable(c.operatorLines);
        EXPECT_EQ(p.digitCount, c.digitCount) << qPrintable(c.operatorLines);
        EXPECT_EQ(p.balanceQuery, c.balanceQuery) << qPrintable(c.operatorLines);
    }
}

// The worked tariff: up to 100 pays 2 %, up to 1000 pays a fixed 1.5 (written
// with a comma), no third tier.
const char* const kWorked = "max1=100\nkomis1=2\ntypkomis1=0\ntext1=До 100: 2%\n"
                            "max2=1000\nkomis2=1,5\ntypkomis2=1\ntext2=До 1000: 1,5\n";
// Tier 1 has a three-character description: it never applies but still bounds tier 2.
const char* const kShortFirst = "max1=100\nkomis1=10\ntypkomis1=0\ntext1=abc\n"
                                "max2=200\nkomis2=5\ntypkomis2=1\ntext2=Второй\n";
const char* const kPointRate = "max1=20000\nkomis1=2.5\ntypkomis1=0\ntext1=Процент\n";
const char* const kCommaRate = "max1=20000\nkomis1=2,5\ntypkomis1=0\ntext1=Процент\n";
const char* const kHalfPercent = "max1=20000\nkomis1=0.5\ntypkomis1=0\ntext1=Полпроцента\n";
const char* const kLarge = "max1=2000000\nkomis1=2\ntypkomis1=0\ntext1=До 2 млн: 2%\n";
const char* const kLargeFixed = "max1=2000000\nkomis1=0,01\ntypkomis1=1\ntext1=До 2 млн: 0,01\n";
const char* const kOtherKind = "max1=100\nkomis1=7\ntypkomis1=5\ntext1=Без удержания\n";

struct CommissionCase {
    const char* name;
    const char* tiers; // setting.ini lines
    const char* kurs;  // operator.ini, nullptr = absent
    const char* sum;   // the sum field, "." = the locale's separator
    int tier;          // the tier that applies (0-based), -1 none
    const char* description;
    const char* credited;
    const char* secondCurrency;
};

const CommissionCase kCommission[] = {
    {"in tier 1", kWorked, nullptr, "50", 0, "До 100: 2%", "49.00", ""},
    {"on tier 1's upper bound", kWorked, nullptr, "100", 0, "До 100: 2%", "98.00", ""},
    {"just above it, fixed amount", kWorked, nullptr, "100.01", 1, "До 1000: 1,5", "98.51", ""},
    {"on tier 2's upper bound", kWorked, nullptr, "1000", 1, "До 1000: 1,5", "998.50", ""},
    {"above every tier", kWorked, nullptr, "1500", -1, "без комиссии", "1500.00", ""},
    {"negative, tier by absolute value", kWorked, nullptr, "-50", 0, "До 100: 2%", "-49.00", ""},
    {"negative fixed amount", kWorked, nullptr, "-100.01", 1, "До 1000: 1,5", "-98.51", ""},
    {"empty sum selects tier 1, credits 0", kWorked, nullptr, "", 0, "До 100: 2%", "0.00", ""},
    {"zero selects tier 1, credits 0", kWorked, nullptr, "0", 0, "До 100: 2%", "0.00", ""},
    {"second currency", kWorked, "2", "50", 0, "До 100: 2%", "49.00", "24.50"},
    {"exchange rate with a comma", kWorked, "2,5", "50", 0, "До 100: 2%", "49.00", "19.60"},
    {"exchange rate 0 leaves the label empty", kWorked, "0", "50", 0, "До 100: 2%", "49.00", ""},
    {"short description never applies", kShortFirst, nullptr, "50", -1, "без комиссии", "50.00", ""},
    {"short description still bounds", kShortFirst, nullptr, "150", 1, "Второй", "145.00", ""},
    {"rate written with a point", kPointRate, nullptr, "200", 0, "Процент", "195.00", ""},
    {"rate written with a comma", kCommaRate, nullptr, "200", 0, "Процент", "195.00", ""},
    // 12822.95 × 0.995 = 12758.83525: the half cent rounds up. Read in single
    // precision the sum was 12822.9501953125 and the result 12758.83.
    {"percentage rounded once", kHalfPercent, nullptr, "12822.95", 0, "Полпроцента", "12758.84", ""},
    // Single precision held neither sum: they were credited as 524288.00 and 1234567.88.
    {"524288.01 without commission", kWorked, nullptr, "524288.01", -1, "без комиссии", "524288.01", ""},
    {"1234567.89 without commission", kWorked, nullptr, "1234567.89", -1, "без комиссии", "1234567.89", ""},
    {"524288.01 less 2 %", kLarge, nullptr, "524288.01", 0, "До 2 млн: 2%", "513802.25", ""},
    {"1234567.89 less 2 %", kLarge, nullptr, "1234567.89", 0, "До 2 млн: 2%", "1209876.53", ""},
    {"1234567.89 less a fixed 0.01", kLargeFixed, "3", "1234567.89", 0, "До 2 млн: 0,01", "1234567.88",
     "411522.63"},
    {"unknown kind takes nothing", kOtherKind, nullptr, "50", 0, "Без удержания", "50.00", ""},
};

using Commissions = UnderSeparator;
RUN_UNDER_BOTH_SEPARATORS(Commissions);

TEST_P(Commissions, SelectsTheTierAndComputesTheCreditedSum) {
    for (const CommissionCase& c : kCommission) {
        SCOPED_TRACE(c.name);
        const QString kurs = c.kurs ? QStringLiteral("kurs=") + QString::fromLatin1(c.kurs) : QString();
        const OperatorProfile p = readProfile(kurs, QString::fromUtf8(c.tiers));

        const ::Commission result = computeCommission(p, loc(c.sum));

        EXPECT_EQ(result.tier, c.tier);
        EXPECT_EQ(result.tier >= 0 ? p.tiers[size_t(result.tier)].description : QStringLiteral("без комиссии"),
                  QString::fromUtf8(c.description));
        EXPECT_EQ(Money::format(result.creditedCents), loc(c.credited));
        EXPECT_EQ(result.secondCurrencyCents ? Money::format(*result.secondCurrencyCents) : QString(),
                  loc(c.secondCurrency));
        EXPECT_EQ(result.kind, c.tier >= 0 ? p.tiers[size_t(c.tier)].kind : CommissionKind::None);
    }
}

} // namespace

namespace {

// The credited sum as it used to be computed, in single precision, to show
// where the exact computation agrees with it.
QString singlePrecisionCredited(float sum, const char* kind, float rate) {
    float credited = sum;
    if (sum == 0) {
        credited = 0;
    } else if (QLatin1String(kind) == QLatin1String("0")) {
        const long double s = sum;
        credited = float(s - s * (long double)rate * 0.01L);
    } else if (QLatin1String(kind) == QLatin1String("1")) {
        credited = float((long double)sum - (long double)rate);
    }
    return Money::format(Money::singlePrecisionCents(credited));
}

TEST(ExactMoney, WhereSinglePrecisionHeldTheSumsTheTextsStayAsTheyWere) {
    struct Tariff {
        const char* kind;
        const char* rate;
        qint64 rateHundredths;
    };
    const Tariff tariffs[] = {
        {"0", "2", 200}, {"0", "2.5", 250}, {"0", "0.5", 50}, {"1", "1.5", 150}, {"4", "0", 0}};
    std::vector<qint64> sums;
    for (qint64 c = 0; c <= 50000; ++c)
        sums.push_back(c);
    for (qint64 c = 50001; c < 200000000; c += 7919)
        sums.push_back(c);

    int compared = 0;
    for (const Tariff& t : tariffs) {
        OperatorProfile p;
        p.tiers[0] = CommissionTier{-1, 2000000, parseDecimal(QString::fromLatin1(t.rate)),
                                    commissionKind(QString::fromLatin1(t.kind)), QStringLiteral("Тариф")};
        const float rate = float(p.tiers[0].rate.toDouble()); // exact for these rates
        for (const qint64 cents : sums) {
            const QString text = Money::format(cents);
            const QString credited = Money::format(computeCommission(p, text).creditedCents);
            const std::optional<Decimal> typed = Decimal::read(text);
            ASSERT_TRUE(typed);
            const float sum = Money::asSinglePrecision(*typed);
            // Whether single precision held the credited sum exactly.
            bool held = false;
            if (QLatin1String(t.kind) == QLatin1String("0")) {
                const long double s = sum;
                const float f = float(s - s * (long double)rate * 0.01L);
                held = (long double)f * 1000000.0L == (long double)(cents * (10000 - t.rateHundredths));
            } else {
                // Below 2^17 single precision keeps the hundredths of a sum and of a difference.
                held = cents < 13107200;
            }
            if (!held)
                continue;
            ++compared;
            ASSERT_EQ(credited, singlePrecisionCredited(sum, t.kind, rate))
                << qPrintable(text) << " kind " << t.kind << " rate " << t.rate;
        }
    }
    EXPECT_GT(compared, 100000);
}

} // namespace
