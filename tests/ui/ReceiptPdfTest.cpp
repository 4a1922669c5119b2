#include "payments/PaymentJournal.h"
#include "platform/AppError.h"
#include "platform/widgets/QtReceiptPrinter.h"
#include "reports/Receipt.h"
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
    Receipt::draw(kLines, printer);

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

TEST(ReceiptPdf, APrinterThatCannotTakeThePageThrows) {
    QtReceiptPrinter printer;
    printer.setSetupFunction([](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QStringLiteral("/nonexistent-directory/receipt.pdf"));
        return true;
    });
    ASSERT_TRUE(printer.setupDialog());
    EXPECT_THROW(Receipt::draw(kLines, printer), AppError);
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
        Receipt::draw(kLines, page);
    });
    EXPECT_EQ(title, QStringLiteral("Просмотр квитанции"));
    EXPECT_GE(drawn, 1);
}

} // namespace
