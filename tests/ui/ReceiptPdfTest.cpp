#include "payments/PaymentJournal.h"
#include "platform/AppError.h"
#include "platform/widgets/QtReceiptPrinter.h"
#include "reports/Printing.h"
#include "reports/Receipt.h"
#include "reports/ReceiptLayout.h"
#include "support/QtPrinters.h"

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A corrected payment's request: a long account, negative sums, a decimal comma.
const QStringList kLines =
    Receipt::lines(JournalRow{"09.12.26 14:05:09", " Звезда GSM", "911234567+917654321", "-49,50", "-49,50",
                              "101_261209140509", "Заявка отмены", "1102", "20", "11", SendFlag::Accepted},
                   Receipt::Header{"0123456789", "101", "ул. Рудаки, 1", "+992 44 600 00 00"});

// Runs a poppler tool on the file; its standard output.
QString poppler(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        ADD_FAILURE() << tool.toStdString() << " is missing: scripts/setup.sh installs poppler-utils";
        return QString();
    }
    QProcess p;
    p.start(program, arguments);
    EXPECT_TRUE(p.waitForFinished(30000));
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The receipt printed through QPrinter into a PDF file, as "Печать в файл" of
// the print dialog does, and read back.
TEST(ReceiptPdf, TheFourteenLinesStandInOrderOneStepApartInTheSerifFace) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("receipt.pdf"));
    QtReceiptPrinter printer;
    printer.setSetupFunction([&pdf](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        return true;
    });
    ASSERT_TRUE(printer.setupDialog());
    Printing::draw(ReceiptLayout::layout(kLines, Paper::Sheet), printer);

    // pdftotext keeps the lines but guesses the blanks ("СПАСИБО!").
    auto noBlanks = [](QString line) { return line.remove(QRegularExpression(QStringLiteral("\\s"))); };
    QStringList text;
    for (const QString& line : poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).split('\n')) {
        if (!noBlanks(line).isEmpty())
            text << noBlanks(line);
    }
    QStringList expected;
    for (const QString& line : kLines)
        expected << noBlanks(line);
    EXPECT_EQ(text, expected);

    // One line every 110 dots at 600 dpi: 13.2 pt apart, whatever the font.
    const QString boxes =
        poppler(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QList<double> tops;
    const QRegularExpression word(QStringLiteral("<word xMin=\"[-\\d.]+\" yMin=\"([-\\d.]+)\""));
    for (auto it = word.globalMatch(boxes); it.hasNext();) {
        const double y = QLocale::c().toDouble(it.next().captured(1));
        if (tops.isEmpty() || y > tops.last() + 1)
            tops << y;
    }
    ASSERT_EQ(tops.size(), kLines.size());
    for (int i = 1; i < tops.size(); ++i)
        EXPECT_NEAR(tops[i] - tops[i - 1], 110.0 * 72 / QtReceiptPrinter::Resolution, 0.3) << i;

    // "Times New Roman" is not on a Debian machine: its metric twin stands in.
    EXPECT_TRUE(poppler(QStringLiteral("pdffonts"), {pdf}).contains(QStringLiteral("LiberationSerif")));
}

// The words of a PDF page as pdftotext -bbox finds them, in points.
struct Word {
    double xMin, yMin, xMax;
    QString text;
};
QList<Word> words(const QString& pdf) {
    const QString boxes =
        poppler(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QList<Word> out;
    const QRegularExpression word(QStringLiteral("<word xMin=\"([-\\d.]+)\" yMin=\"([-\\d.]+)\" "
                                                 "xMax=\"([-\\d.]+)\" yMax=\"[-\\d.]+\">([^<]*)</word>"));
    for (auto it = word.globalMatch(boxes); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QLocale c = QLocale::c();
        out << Word{c.toDouble(m.captured(1)), c.toDouble(m.captured(2)), c.toDouble(m.captured(3)),
                    m.captured(4)};
    }
    return out;
}

// Printed to a PDF file as to a roll printer: the page is the paper's width and
// only as long as its text, every line inside the width, 32 or 48 characters.
TEST(ReceiptPdf, ARollPageIsThePapersWidthAndEndsWhereTheTextEnds) {
    QStringList lines = kLines;
    lines.prepend(QStringLiteral("КОПИЯ"));
    lines << QStringLiteral("12345678901234567890123456789012345678901234567890"); // wider than both rolls
    struct Case {
        Paper paper;
        double widthMm;
        int columns;
    };
    for (const Case& c : {Case{Paper::Roll58, 58, 32}, Case{Paper::Roll80, 80, 48}}) {
        SCOPED_TRACE(c.columns);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("roll.pdf"));
        QtReceiptPrinter printer;
        printer.useFile(pdf);
        const PrintLayout layout = ReceiptLayout::layout(lines, c.paper);
        Printing::draw(layout, printer);

        const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
            << info.toStdString();
        const QRegularExpressionMatch size =
            QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
        ASSERT_TRUE(size.hasMatch()) << info.toStdString();
        const double width = QLocale::c().toDouble(size.captured(1));
        const double height = QLocale::c().toDouble(size.captured(2));
        EXPECT_NEAR(width, c.widthMm * 72 / 25.4, 0.5);
        const int printedLines = int(layout.pages.first().size());
        EXPECT_NEAR(height, (60 + 80 * printedLines + 120) * 72.0 / 600, 0.5);

        // The text reads back in order, the long line broken at the width.
        const QList<Word> found = words(pdf);
        ASSERT_FALSE(found.isEmpty());
        QString all;
        double lastTop = 0;
        for (const Word& w : found) {
            all += w.text;
            EXPECT_GE(w.xMin, 0.0) << w.text.toStdString();
            EXPECT_LE(w.xMax, width) << w.text.toStdString();
            lastTop = std::max(lastTop, w.yMin);
        }
        QString expected = lines.join(QString());
        expected.remove(QLatin1Char(' '));
        EXPECT_EQ(all, expected);
        // Below the last line's top only its step and the margin are left (200
        // dots, 24 pt): no blank paper fed.
        EXPECT_LT(height - lastTop, 26.0);
        // A full line of digits is the columns' width: 35 dots (4.2 pt) a character.
        const QString full =
            QStringLiteral("12345678901234567890123456789012345678901234567890").left(c.columns);
        bool seen = false;
        for (const Word& w : found) {
            if (w.text == full) {
                seen = true;
                EXPECT_NEAR(w.xMax - w.xMin, c.columns * 4.2, 2.0);
            }
        }
        EXPECT_TRUE(seen);
        // "Courier New" is not on a Debian machine: its fixed-pitch twin stands in.
        EXPECT_TRUE(poppler(QStringLiteral("pdffonts"), {pdf}).contains(QStringLiteral("LiberationMono")));
    }
}

// A long shift report on the sheet goes on to further pages; the sheet is the
// printer's own even after a roll was printed on it.
TEST(ReceiptPdf, ALongReportOnTheSheetRunsOntoFurtherPages) {
    QStringList report;
    for (int i = 1; i <= 120; ++i)
        report << QStringLiteral("строка %1").arg(i);
    QTemporaryDir dir;
    QtReceiptPrinter printer;
    printer.useFile(dir.filePath(QStringLiteral("roll.pdf")));
    Printing::draw(ReceiptLayout::layout(kLines, Paper::Roll58), printer);
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    printer.useFile(pdf);
    Printing::draw(ReceiptLayout::layout(report, Paper::Sheet), printer);
    const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n")))) << info.toStdString();
    // A4 or Letter, whichever the system's default is.
    EXPECT_TRUE(
        info.contains(QRegularExpression(QStringLiteral("Page size:\\s+(595|612)[\\d.]* x (842|792)"))))
        << info.toStdString();
    const QString third = poppler(QStringLiteral("pdftotext"),
                                  {QStringLiteral("-f"), QStringLiteral("3"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(third.contains(QStringLiteral("строка 120")));
    EXPECT_FALSE(third.contains(QStringLiteral("строка 100\n")));
}

// The dialog left on a PDF file offers the next file, so prints do not overwrite each other.
TEST(ReceiptPdf, ASuggestedFileFollowsTheLastPdf) {
    QTemporaryDir dir;
    QtReceiptPrinter printer;
    const QString first = dir.filePath(QStringLiteral("first.pdf"));
    const QString second = dir.filePath(QStringLiteral("pdf/second.pdf"));
    printer.useFile(first);
    Printing::draw(ReceiptLayout::layout(kLines, Paper::Roll58), printer);
    printer.suggestFile(second);
    Printing::draw(ReceiptLayout::layout(Receipt::marked(kLines, 1), Paper::Roll58), printer);
    EXPECT_FALSE(
        poppler(QStringLiteral("pdftotext"), {first, QStringLiteral("-")}).contains(QStringLiteral("КОПИЯ")));
    EXPECT_TRUE(poppler(QStringLiteral("pdftotext"), {second, QStringLiteral("-")})
                    .startsWith(QStringLiteral("КОПИЯ")));
}

TEST(ReceiptPdf, APrinterThatCannotTakeThePageThrows) {
    QtReceiptPrinter printer;
    printer.setSetupFunction([](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QStringLiteral("/nonexistent-directory/receipt.pdf"));
        return true;
    });
    ASSERT_TRUE(printer.setupDialog());
    EXPECT_THROW(Printing::draw(ReceiptLayout::layout(kLines, Paper::Sheet), printer), AppError);
}

TEST(ReceiptPdf, ThePreviewShowsThePage) {
    QtReceiptPrinter printer;
    int drawn = 0;
    QString title;
    QTimer::singleShot(0, [&title] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(preview, nullptr);
        title = preview->windowTitle();
        preview->reject();
    });
    printer.preview([&drawn](ReceiptCanvas& page) {
        ++drawn;
        Printing::draw(ReceiptLayout::layout(kLines, Paper::Sheet), page);
    });
    EXPECT_EQ(title, QStringLiteral("Просмотр квитанции"));
    EXPECT_GE(drawn, 1);

    // A roll's preview gives the printer its sheet back.
    QTimer::singleShot(0, [] {
        if (auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget()))
            preview->reject();
    });
    printer.preview(
        [](ReceiptCanvas& page) { Printing::draw(ReceiptLayout::layout(kLines, Paper::Roll80), page); });
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    printer.useFile(pdf);
    Printing::draw(ReceiptLayout::layout(kLines, Paper::Sheet), printer);
    EXPECT_TRUE(
        poppler(QStringLiteral("pdfinfo"), {pdf})
            .contains(QRegularExpression(QStringLiteral("Page size:\\s+(595|612)[\\d.]* x (842|792)"))));
}

} // namespace
