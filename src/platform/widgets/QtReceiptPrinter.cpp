#include "platform/widgets/QtReceiptPrinter.h"

#include "platform/AppError.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

// A page drawn with QPainter on a printer: the real one or the preview's.
class QtReceiptPrinter::Page : public ReceiptCanvas {
public:
    explicit Page(QPrinter& printer) : printer_(printer) {}

    void setFont(const QString& face, int pointSize) override {
        font_ = QFont(face);
        // Where the face is not installed, a serif of the same metrics stands in.
        font_.setStyleHint(QFont::Serif);
        font_.setPointSize(pointSize);
        if (painter_.isActive())
            painter_.setFont(font_);
    }
    void beginDocument() override {
        // A page left open by an earlier failure is abandoned.
        if (painter_.isActive())
            painter_.end();
        printer_.setResolution(Resolution);
        if (!painter_.begin(&printer_))
            throw AppError(QStringLiteral("Ошибка печати: принтер \"%1\" недоступен").arg(name()));
        painter_.setFont(font_);
        painter_.setPen(Qt::black);
    }
    void textOut(int x, int y, const QString& text) override {
        if (!painter_.isActive())
            throw AppError(QStringLiteral("Ошибка печати: документ не начат"));
        // QPainter places text by its baseline; the position given is its top.
        painter_.drawText(QPoint(x, y + painter_.fontMetrics().ascent()), text);
    }
    void endDocument() override {
        const bool ended = painter_.end();
        if (!ended || printer_.printerState() == QPrinter::Error)
            throw AppError(QStringLiteral("Ошибка печати: принтер \"%1\" не принял документ").arg(name()));
    }

private:
    QString name() const {
        return printer_.outputFormat() == QPrinter::PdfFormat ? printer_.outputFileName()
                                                              : printer_.printerName();
    }

    QPrinter& printer_;
    QPainter painter_;
    QFont font_;
};

QtReceiptPrinter::QtReceiptPrinter()
    : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      page_(std::make_unique<Page>(*printer_)) {
    setup_ = [](QPrinter& printer) {
        QPrintDialog dialog(&printer, QApplication::activeWindow());
        dialog.setWindowTitle(QStringLiteral("Печать квитанции"));
        return dialog.exec() == QDialog::Accepted;
    };
}

QtReceiptPrinter::~QtReceiptPrinter() = default;

bool QtReceiptPrinter::setupDialog() {
    return setup_(*printer_);
}

void QtReceiptPrinter::preview(const DrawPage& draw) {
    printer_->setResolution(Resolution);
    QPrintPreviewDialog dialog(printer_.get(), QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Просмотр квитанции"));
    // As large as the window it opens over, at the page's width: the receipt
    // takes only the top of the page and reads at about its printed size.
    if (const QWidget* over = QApplication::activeWindow())
        dialog.resize(over->size());
    if (auto* view = dialog.findChild<QPrintPreviewWidget*>())
        view->setZoomMode(QPrintPreviewWidget::FitToWidth);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&draw](QPrinter* printer) {
        Page page(*printer);
        draw(page);
    });
    dialog.exec();
}

void QtReceiptPrinter::setFont(const QString& face, int pointSize) {
    page_->setFont(face, pointSize);
}

void QtReceiptPrinter::beginDocument() {
    page_->beginDocument();
}

void QtReceiptPrinter::textOut(int x, int y, const QString& text) {
    page_->textOut(x, y, text);
}

void QtReceiptPrinter::endDocument() {
    page_->endDocument();
}
