#include "core/NewsTicker.h"

#include <gtest/gtest.h>

namespace {

TEST(NewsTicker, TheTextsFollowEachOtherAndTheCaptionCreepsInAndIsWipedEverySixthRound) {
    NewsTicker ticker;
    ticker.append(QStringLiteral("AB"));
    ticker.append(QStringLiteral("Я"));
    const QString text = QString(14, QLatin1Char(' ')) + QStringLiteral("AB") + QString(14, QLatin1Char(' ')) +
                         QStringLiteral("Я");
    EXPECT_EQ(ticker.text(), text);

    for (int i = 0; i < 16; ++i)
        ticker.tick();
    EXPECT_EQ(ticker.caption(), text.left(16));
    for (qsizetype i = 16; i < text.size(); ++i)
        ticker.tick();
    EXPECT_EQ(ticker.caption(), text);
    // Five more whole rounds keep adding; the sixth wrap-around wipes the line.
    for (int round = 0; round < 5; ++round)
        for (qsizetype i = 0; i < text.size(); ++i)
            ticker.tick();
    EXPECT_EQ(ticker.caption().size(), text.size() * 6);
    EXPECT_TRUE(ticker.tick().isEmpty());
    EXPECT_EQ(ticker.tick(), QString(QLatin1Char(' ')));
}

TEST(NewsTicker, WithoutNewsTheCaptionStaysEmpty) {
    NewsTicker ticker;
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(ticker.tick().isEmpty());
}

} // namespace
