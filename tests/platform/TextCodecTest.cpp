#include "platform/TextCodec.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

namespace {

TEST(TextCodec, EveryByteIsTheCharacterQtsCodecGivesAndComesBack) {
    QStringDecoder qt("windows-1251");
    ASSERT_TRUE(qt.isValid());
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        const QString ours = TextCodec::fromCp1251(QByteArrayView(&byte, 1));
        ASSERT_EQ(ours.size(), 1);
        // The one byte the code page leaves unassigned stands for itself.
        const QString expected = b == 0x98 ? QString(QChar(0x98)) : qt.decode(QByteArrayView(&byte, 1));
        EXPECT_EQ(ours, expected) << "byte " << b;
        EXPECT_EQ(TextCodec::toCp1251(ours), QByteArray(1, byte)) << "byte " << b;
    }
    EXPECT_EQ(TextCodec::toCp1251(u"Приём 100 € — №5"), QByteArray("\xcf\xf0\xe8\xb8\xec 100 \x88 \x97 \xb9"
                                                                   "5"));
    // A character the code page lacks is written as "?".
    EXPECT_EQ(TextCodec::toCp1251(u"日"), QByteArray("?"));
}

} // namespace
