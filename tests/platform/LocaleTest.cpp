#include "platform/Locale.h"
#include "platform/Money.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

// The program's number rules must not move with the C library's locale, which Qt
// takes from the environment when the application object is made. A Russian
// desktop wants "," in strtod and writes "," with printf.
class UnderRussianCLocale : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = std::setlocale(LC_ALL, nullptr);
        ASSERT_NE(std::setlocale(LC_ALL, "ru_RU.UTF-8"), nullptr)
            << "the ru_RU.UTF-8 locale is missing; scripts/setup.sh generates it";
    }
    void TearDown() override {
        std::setlocale(LC_ALL, saved_.c_str());
        Locale::setDecimalSeparator(QLatin1Char('.'));
    }

private:
    std::string saved_;
};

struct Case {
    char separator;
    const char* text;
    bool ok;
    double value;
};

TEST_F(UnderRussianCLocale, ReadingFollowsTheProgramsSeparatorOnly) {
    const Case cases[] = {
        {'.', "98.00", true, 98.0},   {'.', "98,00", false, 0}, {'.', " -49.5 ", true, -49.5},
        {'.', "+12.25", true, 12.25}, {'.', "1e3", true, 1000}, {'.', ".5", true, 0.5},
        {'.', "1.2.3", false, 0},     {'.', "+-1", false, 0},   {'.', "e5", false, 0},
        {',', "98,00", true, 98.0},   {',', "98.00", false, 0}, {',', "0,1", true, 0.1},
        {',', "", false, 0},          {',', "12,", true, 12.0}, {',', "abc", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.separator) + " " + c.text);
        Locale::setDecimalSeparator(QLatin1Char(c.separator));
        const std::optional<Decimal> d = Decimal::read(QString::fromLatin1(c.text));
        ASSERT_EQ(d.has_value(), c.ok);
        if (d) {
            EXPECT_DOUBLE_EQ(d->toDouble(), c.value);
        }
    }
}

TEST_F(UnderRussianCLocale, WritingPutsTheProgramsSeparatorAndRoundsHalvesAway) {
    struct Out {
        char separator;
        float value;
        const char* text;
    };
    const Out cases[] = {
        {'.', 98.0f, "98.00"},     {',', 98.0f, "98,00"},  {'.', 0.125f, "0.13"}, {'.', -0.125f, "-0.13"},
        {',', 1234.5f, "1234,50"}, {'.', -0.001f, "0.00"}, {'.', 2.675f, "2.67"}, // 2.675 is below the tie in
                                                                                  // binary
    };
    for (const Out& c : cases) {
        Locale::setDecimalSeparator(QLatin1Char(c.separator));
        EXPECT_EQ(Money::format(Money::singlePrecisionCents(c.value)), QString::fromLatin1(c.text))
            << c.value;
    }
}

} // namespace
