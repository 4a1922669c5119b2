#pragma once

#include "platform/ReceiptPrinter.h"

#include <functional>
#include <memory>

class QPrinter;

// The receipt printer over the system's print system: Qt's print dialog (the
// machine's printers, or a PDF file), QPainter on QPrinter, and Qt's print
// preview. The page is laid out at 600 dots per inch, the resolution the
// receipt's positions were made for, whatever printer is chosen. A roll page
// has the size the layout asks for and no margins; the sheet keeps the size and
// margins the printer or its dialog gives.
class QtReceiptPrinter : public ReceiptPrinter {
public:
    static constexpr int Resolution = 600;

    QtReceiptPrinter();
    ~QtReceiptPrinter() override;

    // How the printer is chosen: the print dialog by default. Tests give one
    // that points the printer at a PDF file and accepts.
    using SetupFunction = std::function<bool(QPrinter& printer)>;
    void setSetupFunction(SetupFunction setup) { setup_ = std::move(setup); }

    bool setupDialog() override;
    void suggestFile(const QString& path) override;
    QStringList printerNames() const override;
    bool usePrinter(const QString& name) override;
    void useFile(const QString& path) override;
    void preview(const DrawPage& draw) override;

    void setFont(const QString& face, int pointSize) override;
    void setPageSize(int width, int height) override;
    void beginDocument() override;
    void textOut(int x, int y, const QString& text) override;
    void newPage() override;
    void endDocument() override;

private:
    class Page;

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<Page> page_;
    SetupFunction setup_;
};
