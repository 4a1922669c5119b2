#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// One printed document as a receipt or report draws it: a font, the page's
// size, and texts in black placed in the printer's device units (x to the
// right, y downwards from the top left of the printable area; a position is the
// top left of its text). A failure of the printer throws AppError.
class ReceiptCanvas {
public:
    virtual ~ReceiptCanvas() = default;

    virtual void setFont(const QString& face, int pointSize) = 0;
    // The size of the pages to come, in device units and without margins; zero
    // for the printer's own sheet with its margins. Before beginDocument.
    virtual void setPageSize(int width, int height) = 0;
    virtual void beginDocument() = 0;
    virtual void textOut(int x, int y, const QString& text) = 0;
    // Ends the page and starts another of the same size.
    virtual void newPage() = 0;
    // Sends the document to the printer.
    virtual void endDocument() = 0;
};

// The receipt printer: which printer the document goes to (chosen in the
// printer-setup dialog, named, or a PDF file), the document itself, and a
// preview of a document before it is printed.
class ReceiptPrinter : public ReceiptCanvas {
public:
    using DrawPage = std::function<void(ReceiptCanvas& page)>;

    // The cashier chooses the printer and its settings; false when cancelled.
    virtual bool setupDialog() = 0;
    // Where the dialog was last left on a PDF file, the next one is offered as
    // `path`, so that one print does not write over another.
    virtual void suggestFile(const QString& path) = 0;
    // The printers of the system, for the cashier to choose one.
    virtual QStringList printerNames() const = 0;
    // Without a dialog: the system's printer of that name; false when the
    // system has none.
    virtual bool usePrinter(const QString& name) = 0;
    // Without a dialog: a PDF file at `path` instead of a printer.
    virtual void useFile(const QString& path) = 0;
    // Shows the document that `draw` makes, on screen, until the cashier closes
    // the preview (from which it may also be printed).
    virtual void preview(const DrawPage& draw) = 0;
};
