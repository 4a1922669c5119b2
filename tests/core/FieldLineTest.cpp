#include "core/FieldLine.h"
#include "platform/Locale.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(FieldLine, CountedFieldsEndAtTheirOwnHash) {
    struct Case {
        const char* line;
        QStringList expected;
    };
    const Case cases[] = {
        {"1001#Чай#12.50#", {"1001", "Чай", "12.50"}},
        {"1001#Чай#12.50#extra#", {"1001", "Чай", "12.50"}}, // after the third "#": ignored
        {"1001#Чай", {"1001", "", ""}},                      // no "#" left: empty from there on
        {"no hash", {"", "", ""}},
        {"", {"", "", ""}},
        {"##", {"", "", ""}},
    };
    for (const Case& c : cases) {
        const QString line = QString::fromUtf8(c.line);
        EXPECT_EQ(FieldLine::fields(line, 3), c.expected) << c.line;
        // One field alone, as a filter looks at it, is cut the same way.
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(FieldLine::field(line, i).toString(), c.expected[i]) << c.line << " field " << i;
    }
}

TEST(FieldLine, AllFieldsDropTheTextAfterTheLastHash) {
    EXPECT_EQ(FieldLine::fields(u"a#b#c#tail"), QStringList({"a", "b", "c"}));
    EXPECT_EQ(FieldLine::fields(u"no hash"), QStringList());
    EXPECT_EQ(FieldLine::fields(u"#"), QStringList({""}));
}

TEST(FieldLine, FiguresTakeTheLocalesSeparator) {
    Locale::setDecimalSeparator(QLatin1Char(','));
    EXPECT_EQ(FieldLine::decimal(QStringLiteral("1234.56")), QStringLiteral("1234,56"));
    EXPECT_EQ(FieldLine::decimal(QStringLiteral("1.2,3")), QStringLiteral("1,2,3"));
    Locale::setDecimalSeparator(QLatin1Char('.'));
    EXPECT_EQ(FieldLine::decimal(QStringLiteral("10,5")), QStringLiteral("10.5"));
}

} // namespace
