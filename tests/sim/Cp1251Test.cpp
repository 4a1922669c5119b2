#include "sim/Cp1251.h"

#include <gtest/gtest.h>

TEST(simCp1251, RussianTextHasTheCodePagesBytes) {
    const QByteArray bytes = sim::Cp1251::encode(QStringLiteral("Зачислено Ёё№«»—"));
    EXPECT_EQ(bytes.toHex(' '), QByteArray("c7 e0 f7 e8 f1 eb e5 ed ee 20 a8 b8 b9 ab bb 97"));
    EXPECT_EQ(sim::Cp1251::decode(bytes), QStringLiteral("Зачислено Ёё№«»—"));
}

TEST(simCp1251, EveryByteSurvivesDecodeAndEncode) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = sim::Cp1251::decode(all);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(sim::Cp1251::encode(text), all);
}

TEST(simCp1251, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
    // Tajik letters and an emoji (a surrogate pair) have no cp1251 byte.
    const QString text = QStringLiteral("ҳ-ӯ-") + QString::fromUtf8("\xF0\x9F\x98\x80");
    EXPECT_EQ(sim::Cp1251::encode(text), QByteArray("?-?-?"));
    EXPECT_FALSE(sim::Cp1251::canEncode(text));
    EXPECT_TRUE(sim::Cp1251::canEncode(QStringLiteral("Баланс: 12.50 сомони")));
}
