#include "reports/Printing.h"

#include "core/Environment.h"
#include "platform/AppError.h"
#include "platform/ReceiptPrinter.h"
#include "platform/SystemClock.h"
#include "reports/PrintSettings.h"

#include <QDir>
#include <QRegularExpression>

QString Printing::pdfFolder() const {
    return env_.programDir() + QStringLiteral("pdf/");
}

QString Printing::pdfPath(const QString& fileStem) const {
    static const QRegularExpression unsafe(QStringLiteral("[^\\w.-]+"),
                                           QRegularExpression::UseUnicodePropertiesOption);
    QString stem = fileStem;
    stem.replace(unsafe, QStringLiteral("_"));
    return pdfFolder() + clock_.now().toString(QStringLiteral("yyyyMMdd-hhmmss")) + QLatin1Char('-') + stem +
           QStringLiteral(".pdf");
}

bool Printing::choosePrinter(const QString& fileStem, Choice choice) {
    if (choice == Choice::Dialog || !settings_.printsDirectly()) {
        printer_.suggestFile(pdfPath(fileStem));
        return printer_.setupDialog();
    }
    if (settings_.printer() == PrintSettings::PdfFile) {
        if (!QDir().mkpath(pdfFolder()))
            throw AppError(QStringLiteral("Ошибка печати: не удалось создать папку %1").arg(pdfFolder()));
        printer_.useFile(pdfPath(fileStem));
        return true;
    }
    if (!printer_.usePrinter(settings_.printer()))
        throw AppError(QStringLiteral("Ошибка печати: принтер \"%1\" не найден").arg(settings_.printer()));
    return true;
}

PrintLayout Printing::layoutOf(const QStringList& lines) const {
    return ReceiptLayout::layout(lines, settings_.paper());
}

bool Printing::print(const QStringList& lines, const QString& fileStem, Choice choice) {
    if (!choosePrinter(fileStem, choice))
        return false;
    draw(layoutOf(lines), printer_);
    return true;
}

void Printing::preview(const QStringList& lines) {
    const PrintLayout layout = layoutOf(lines);
    printer_.preview([&layout](ReceiptCanvas& canvas) { draw(layout, canvas); });
}

void Printing::draw(const PrintLayout& layout, ReceiptCanvas& canvas) {
    canvas.setFont(layout.fontFace, layout.fontPointSize);
    canvas.setPageSize(layout.pageWidth, layout.pageHeight);
    canvas.beginDocument();
    for (qsizetype p = 0; p < layout.pages.size(); ++p) {
        if (p > 0)
            canvas.newPage();
        for (const PrintLayout::Text& t : layout.pages[p])
            canvas.textOut(t.x, t.y, t.text);
    }
    canvas.endDocument();
}
