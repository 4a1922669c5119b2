#pragma once

#include "reports/ReceiptLayout.h"

#include <QString>
#include <QStringList>

class Environment;
class PrintSettings;
class ReceiptCanvas;
class ReceiptPrinter;
class SystemClock;

// The one way receipts and shift reports reach paper: the printer chosen as the
// settings say (the dialog, or straight to the printer set), the lines laid out
// for the paper set, the document drawn.
class Printing {
public:
    enum class Choice {
        AsSet,  // straight to the printer set when the settings say so, else the dialog
        Dialog, // the dialog whatever the settings say
    };

    Printing(const Environment& env, const PrintSettings& settings, ReceiptPrinter& printer,
             SystemClock& clock)
        : env_(env), settings_(settings), printer_(printer), clock_(clock) {}

    // False when the cashier cancelled the dialog: nothing was printed. Throws
    // AppError when the printer set is not there or the printer fails. A PDF
    // file is named by the time and `fileStem`, in the "pdf" folder of the
    // program directory.
    bool print(const QStringList& lines, const QString& fileStem, Choice choice = Choice::AsSet);
    void preview(const QStringList& lines);

    PrintLayout layoutOf(const QStringList& lines) const;
    static void draw(const PrintLayout& layout, ReceiptCanvas& canvas);

    // Where PDF files go.
    QString pdfFolder() const;

private:
    // A PDF file for a print: the time and the stem, in the pdf folder.
    QString pdfPath(const QString& fileStem) const;
    bool choosePrinter(const QString& fileStem, Choice choice);

    const Environment& env_;
    const PrintSettings& settings_;
    ReceiptPrinter& printer_;
    SystemClock& clock_;
};
