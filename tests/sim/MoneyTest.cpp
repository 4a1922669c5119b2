#include "sim/Money.h"

#include <gtest/gtest.h>

TEST(simMoney, ParsesSumsAsTheTerminalWritesThem) {
    struct Case {
        const char* text;
        bool ok;
        qint64 cents;
    };
    const Case cases[] = {
        {"150.00", true, 15000},
        {"99,5", true, 9950},
        {"-150.00", true, -15000},
        {" 12 ", true, 1200},
        {"0", true, 0},
        {".5", true, 50},
        {"1.005", true, 101},
        {"1.004", true, 100},
        {"9999", true, 999900},
        {"+3,10", true, 310},
        {"", false, 0},
        {"abc", false, 0},
        {"1.2.3", false, 0},
        {"1e5", false, 0},
        {"-", false, 0},
        {"12 000", false, 0},
        {"12345678901234", false, 0},
    };
    for (const Case& c : cases) {
        qint64 value = -1;
        EXPECT_EQ(sim::Money::parse(QString::fromUtf8(c.text), &value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.cents) << c.text;
        }
    }
}

TEST(simMoney, FormatsTwoDecimalsWithAPoint) {
    EXPECT_EQ(sim::Money::format(0), "0.00");
    EXPECT_EQ(sim::Money::format(-5), "-0.05");
    EXPECT_EQ(sim::Money::format(123456), "1234.56");
    EXPECT_EQ(sim::Money::format(sim::Money::fromDouble(14850.10)), "14850.10");
}
