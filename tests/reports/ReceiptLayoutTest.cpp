#include "reports/ReceiptLayout.h"

#include "CreditedReceipt.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// A receipt's lines with short values, and the same with a long operator name
// and a long account.
const QStringList& kShort = kCreditedLines;

QStringList withLongValues() {
    QStringList lines = kShort;
    lines[6] = QStringLiteral("Оператор: Государственная налоговая служба г. Душанбе");
    lines[9] = QStringLiteral("Номер счета:12345678901234567890123456789012345678901");
    return lines;
}

QStringList texts(const QList<PrintLayout::Text>& page) {
    QStringList out;
    for (const PrintLayout::Text& t : page)
        out << t.text;
    return out;
}

TEST(ReceiptLayout, RollsWrapInsideTheirWidthAndEndWhereTheTextEnds) {
    struct Case {
        const char* name;
        Paper paper;
        QStringList lines;
        int width;                              // 58 or 80 mm at 600 dpi
        int left;                               // the text in the middle: (width - columns * 35) / 2
        QList<QPair<int, QStringList>> wrapped; // printed in place of line index
    };
    const QList<Case> cases = {
        // 33 characters: the number goes whole below its label.
        {"58 short", Paper::Roll58, kShort, 1370, 125, {{13, {"Служба подержки:", "+992 44 600 00 00"}}}},
        {"80 short", Paper::Roll80, kShort, 1889, 104, {}},
        {"58 long",
         Paper::Roll58,
         withLongValues(),
         1370,
         125,
         {{6, {"Оператор: Государственная", "налоговая служба г. Душанбе"}},
          // No blank to break at: cut at the width, the label kept whole.
          {9, {"Номер счета:12345678901234567890", "123456789012345678901"}},
          {13, {"Служба подержки:", "+992 44 600 00 00"}}}},
        {"80 long",
         Paper::Roll80,
         withLongValues(),
         1889,
         104,
         {{6, {"Оператор:", "Государственная налоговая служба г. Душанбе"}},
          {9, {"Номер счета:", "12345678901234567890123456789012345678901"}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList expected;
        for (int i = 0; i < c.lines.size(); ++i) {
            bool replaced = false;
            for (const auto& [index, parts] : c.wrapped) {
                if (index == i) {
                    expected << parts;
                    replaced = true;
                }
            }
            if (!replaced)
                expected << c.lines[i];
        }
        const PrintLayout layout = ReceiptLayout::layout(c.lines, c.paper);
        EXPECT_EQ(layout.fontFace, QStringLiteral("Courier New"));
        EXPECT_EQ(layout.fontPointSize, 7);
        ASSERT_EQ(layout.pages.size(), 1);
        const QList<PrintLayout::Text>& page = layout.pages.first();
        EXPECT_EQ(texts(page), expected);
        const int columns = c.paper == Paper::Roll58 ? 32 : 48;
        for (int i = 0; i < page.size(); ++i) {
            EXPECT_LE(page[i].text.size(), columns) << i;
            EXPECT_EQ(page[i].x, c.left) << i;
            EXPECT_EQ(page[i].y, 60 + 80 * i) << i;
            // 35 dots a character: the widest line stays on the paper.
            EXPECT_LE(page[i].x + 35 * page[i].text.size(), c.width) << i;
        }
        EXPECT_EQ(layout.pageWidth, c.width);
        // The last line's step and the margin below it, no more.
        EXPECT_EQ(layout.pageHeight, 60 + 80 * int(expected.size()) + 120);
    }
}

TEST(ReceiptLayout, TheSheetKeepsItsFixedPositionsAndRunsLongReportsOntoFurtherPages) {
    const PrintLayout receipt = ReceiptLayout::layout(withLongValues(), Paper::Sheet);
    EXPECT_EQ(receipt.fontFace, QStringLiteral("Times New Roman"));
    EXPECT_EQ(receipt.fontPointSize, 10);
    EXPECT_EQ(receipt.pageWidth, 0); // the printer's own sheet
    EXPECT_EQ(receipt.pageHeight, 0);
    ASSERT_EQ(receipt.pages.size(), 1);
    EXPECT_EQ(texts(receipt.pages.first()), withLongValues()); // nothing wrapped
    for (int i = 0; i < receipt.pages.first().size(); ++i) {
        EXPECT_EQ(receipt.pages.first()[i].x, 10);
        EXPECT_EQ(receipt.pages.first()[i].y, 110 * (i + 1));
    }

    // A shift report of 120 lines: fifty a page, each page from the top again.
    QStringList report;
    for (int i = 1; i <= 120; ++i)
        report << QStringLiteral("строка %1").arg(i);
    const PrintLayout sheets = ReceiptLayout::layout(report, Paper::Sheet);
    ASSERT_EQ(sheets.pages.size(), 3);
    EXPECT_EQ(sheets.pages[0].size(), 50);
    EXPECT_EQ(sheets.pages[1].size(), 50);
    EXPECT_EQ(sheets.pages[2].size(), 20);
    EXPECT_EQ(sheets.pages[0].last(), (PrintLayout::Text{10, 5500, QStringLiteral("строка 50")}));
    EXPECT_EQ(sheets.pages[1].first(), (PrintLayout::Text{10, 110, QStringLiteral("строка 51")}));
    EXPECT_EQ(sheets.pages[2].last(), (PrintLayout::Text{10, 2200, QStringLiteral("строка 120")}));

    // On a roll the same report is one page, as long as its lines.
    const PrintLayout roll = ReceiptLayout::layout(report, Paper::Roll80);
    ASSERT_EQ(roll.pages.size(), 1);
    EXPECT_EQ(roll.pages.first().size(), 120);
    EXPECT_EQ(roll.pageHeight, 60 + 80 * 120 + 120);
}

TEST(ReceiptLayout, WrappingKeepsEveryCharacterButTheBlanksItBreaksAt) {
    struct Case {
        QString line;
        int columns;
        QStringList parts;
    };
    const QList<Case> cases = {
        {"12345678", 8, {"12345678"}},                           // exactly the width
        {"123456789", 8, {"12345678", "9"}},                     // one over, no blank
        {"abc defgh ij", 8, {"abc", "defgh ij"}},                // the last blank that fits
        {"abcdefgh ij", 8, {"abcdefgh", "ij"}},                  // a blank right at the width
        {"   abcdefghij", 8, {"   abcde", "fghij"}},             // leading blanks are no place to break
        {"Имя: очень длинное", 8, {"Имя:", "очень", "длинное"}}, // the value below its label, then wrapped
        {"", 8, {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        EXPECT_EQ(ReceiptLayout::wrap(c.line, c.columns), c.parts);
    }
}

} // namespace
