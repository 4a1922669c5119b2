#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What a receipt or report is printed on: the sheet of the printer as it comes,
// or a thermal roll that is cut where the text ends.
enum class Paper { Sheet, Roll58, Roll80 };

// Lines of text placed on pages, in the printer's device units at
// ReceiptLayout::Resolution dots per inch; no printer is needed to make one.
struct PrintLayout {
    struct Text {
        int x;
        int y; // the top of the text
        QString text;
        bool operator==(const Text& o) const { return x == o.x && y == o.y && text == o.text; }
    };
    QString fontFace;
    int fontPointSize = 0;
    // Zero for the printer's own sheet; a roll page is as long as its text.
    int pageWidth = 0;
    int pageHeight = 0;
    QList<QList<Text>> pages;
};

namespace ReceiptLayout {

constexpr int Resolution = 600;

// The sheet: line n of a page at (SheetLeft, n * SheetLineStep) in the serif
// face, whatever the font's height; lines beyond SheetLinesPerPage go on to
// the next page (A4 and Letter both hold fifty with their margins).
constexpr int SheetLeft = 10;
constexpr int SheetLineStep = 110;
constexpr int SheetLinesPerPage = 50;
extern const QString SheetFontFace; // "Times New Roman"
constexpr int SheetFontPointSize = 10;

// The roll: a fixed-pitch face at a size whose advance is about 1.5 mm, the
// pitch of a thermal printer's own font, so 32 characters fill the printable
// width of 58 mm paper (48 mm) and 48 that of 80 mm (72 mm).
extern const QString RollFontFace; // "Courier New"
constexpr int RollFontPointSize = 7;
constexpr int RollCharWidth = 35; // 0.6 em of 7 pt at 600 dpi
constexpr int RollLineStep = 80;
constexpr int RollTopMargin = 60;
// Below the last line, so the tear bar does not cut through it.
constexpr int RollBottomMargin = 120;

// Characters a line holds on the paper; 0 for the sheet, which does not wrap.
int columns(Paper paper);
// The paper's width in dots; 0 for the sheet.
int paperWidth(Paper paper);

// A line longer than `columns` in lines that fit: a label ending in a colon
// above its value where the value fits a line, else broken at the last blank
// that fits (never inside the label) or cut at `columns` where there is none.
// The blank a line is broken at is dropped.
QStringList wrap(const QString& line, int columns);

PrintLayout layout(const QStringList& lines, Paper paper);

} // namespace ReceiptLayout
