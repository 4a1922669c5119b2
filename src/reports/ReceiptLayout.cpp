#include "reports/ReceiptLayout.h"

namespace ReceiptLayout {

const QString SheetFontFace = QStringLiteral("Times New Roman");
const QString RollFontFace = QStringLiteral("Courier New");

namespace {

// 1 mm in dots, rounded down so the page never outgrows the paper.
int millimetres(int mm) {
    return mm * Resolution * 10 / 254;
}

} // namespace

int columns(Paper paper) {
    switch (paper) {
    case Paper::Roll58:
        return 32;
    case Paper::Roll80:
        return 48;
    case Paper::Sheet:
        break;
    }
    return 0;
}

int paperWidth(Paper paper) {
    switch (paper) {
    case Paper::Roll58:
        return millimetres(58);
    case Paper::Roll80:
        return millimetres(80);
    case Paper::Sheet:
        break;
    }
    return 0;
}

QStringList wrap(const QString& line, int columns) {
    if (line.size() <= columns)
        return {line};
    // A label's value that fits a line of its own goes there whole; otherwise
    // the first line keeps the label and as much of the value as it holds.
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    const bool labelled = colon >= 0 && colon < columns;
    if (labelled) {
        QString value = line.mid(colon + 1);
        if (value.startsWith(QLatin1Char(' ')))
            value.remove(0, 1);
        if (!value.isEmpty() && value.size() <= columns)
            return {line.left(colon + 1), value};
    }
    QStringList out;
    QString rest = line;
    qsizetype keep = labelled ? colon + 1 : 1;
    while (rest.size() > columns) {
        // The last blank at which the head still fits, with text before it.
        qsizetype cut = rest.lastIndexOf(QLatin1Char(' '), columns);
        if (cut < keep || rest.left(cut).trimmed().isEmpty())
            cut = -1;
        if (cut < 0) {
            out << rest.left(columns);
            rest = rest.mid(columns);
        } else {
            out << rest.left(cut);
            rest = rest.mid(cut + 1);
        }
        keep = 1;
    }
    out << rest;
    return out;
}

PrintLayout layout(const QStringList& lines, Paper paper) {
    PrintLayout out;
    if (paper == Paper::Sheet) {
        out.fontFace = SheetFontFace;
        out.fontPointSize = SheetFontPointSize;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i % SheetLinesPerPage == 0)
                out.pages.append(QList<PrintLayout::Text>());
            const int n = int(i % SheetLinesPerPage) + 1;
            out.pages.last().append(PrintLayout::Text{SheetLeft, n * SheetLineStep, lines[i]});
        }
        if (out.pages.isEmpty())
            out.pages.append(QList<PrintLayout::Text>());
        return out;
    }

    out.fontFace = RollFontFace;
    out.fontPointSize = RollFontPointSize;
    out.pageWidth = paperWidth(paper);
    const int cols = columns(paper);
    // The text in the middle of the paper, its margins equal.
    const int left = (out.pageWidth - cols * RollCharWidth) / 2;
    QList<PrintLayout::Text> page;
    int y = RollTopMargin;
    for (const QString& line : lines) {
        for (const QString& part : wrap(line, cols)) {
            page.append(PrintLayout::Text{left, y, part});
            y += RollLineStep;
        }
    }
    out.pageHeight = y + RollBottomMargin;
    out.pages.append(page);
    return out;
}

} // namespace ReceiptLayout
