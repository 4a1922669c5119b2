#pragma once

#include <QString>

#include <functional>

// One printed page as the receipt draws it: a font, and texts in black placed in
// the printer's device units (x to the right, y downwards from the top left of
// the printable area; a position is the top left of its text). A failure of the
// printer throws AppError.
class ReceiptCanvas {
public:
    virtual ~ReceiptCanvas() = default;

    virtual void setFont(const QString& face, int pointSize) = 0;
    virtual void beginDocument() = 0;
    virtual void textOut(int x, int y, const QString& text) = 0;
    // Sends the page to the printer.
    virtual void endDocument() = 0;
};

// The receipt printer: the printer-setup dialog, the page itself, and a preview
// of a page before it is printed.
class ReceiptPrinter : public ReceiptCanvas {
public:
    using DrawPage = std::function<void(ReceiptCanvas& page)>;

    // The cashier chooses the printer and its settings; false when cancelled.
    virtual bool setupDialog() = 0;
    // Shows the page that `draw` makes, on screen, until the cashier closes the
    // preview (from which it may also be printed).
    virtual void preview(const DrawPage& draw) = 0;
};
