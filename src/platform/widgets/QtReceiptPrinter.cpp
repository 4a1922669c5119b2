#include "platform/widgets/QtReceiptPrinter.h"

#include "platform/AppError.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// A roll page of that size in dots, without margins.
QPageLayout rollLayout(int width, int height) {
    const auto mm = [](int dots) { return dots * 25.4 / QtReceiptPrinter::Resolution; };
    const QPageSize size(QSizeF(mm(width), mm(height)), QPageSize::Millimeter, QStringLiteral("Roll"),
                         QPageSize::ExactMatch);
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

} // namespace

// A page drawn with QPainter on a printer: the real one or the preview's.
class QtReceiptPrinter::Page : public ReceiptCanvas {
public:
    explicit Page(QPrinter& printer) : printer_(printer) {}

    void setFont(const QString& face, int pointSize) override {
        font_ = QFont(face);
        // Where the face is not installed, one of the same kind and metrics
        // stands in: the roll's columns need a fixed pitch.
        const bool fixedPitch =
            face.contains(QLatin1String("Courier")) || face.contains(QLatin1String("Mono"));
        font_.setStyleHint(fixedPitch ? QFont::TypeWriter : QFont::Serif);
        font_.setFixedPitch(fixedPitch);
        font_.setPointSize(pointSize);
        if (painter_.isActive())
            painter_.setFont(font_);
    }
    void setPageSize(int width, int height) override {
        width_ = width;
        height_ = height;
    }
    void beginDocument() override {
        // A page left open by an earlier failure is abandoned.
        if (painter_.isActive())
            painter_.end();
        restoreSheet();
        printer_.setResolution(Resolution);
        applyPageSize();
        if (!painter_.begin(&printer_)) {
            restoreSheet();
            throw AppError(QStringLiteral("Ошибка печати: принтер \"%1\" недоступен").arg(name()));
        }
        painter_.setFont(font_);
        painter_.setPen(Qt::black);
    }
    void textOut(int x, int y, const QString& text) override {
        if (!painter_.isActive())
            throw AppError(QStringLiteral("Ошибка печати: документ не начат"));
        // QPainter places text by its baseline; the position given is its top.
        painter_.drawText(QPoint(x, y + painter_.fontMetrics().ascent()), text);
    }
    void newPage() override {
        if (!painter_.isActive() || !printer_.newPage())
            throw AppError(
                QStringLiteral("Ошибка печати: принтер \"%1\" не начал новую страницу").arg(name()));
    }
    void endDocument() override {
        const bool ended = painter_.end();
        restoreSheet();
        if (!ended || printer_.printerState() == QPrinter::Error)
            throw AppError(QStringLiteral("Ошибка печати: принтер \"%1\" не принял документ").arg(name()));
    }

private:
    QString name() const {
        return printer_.outputFormat() == QPrinter::PdfFormat ? printer_.outputFileName()
                                                              : printer_.printerName();
    }

    // A roll page for the size asked, for this document only: the printer
    // keeps its sheet for the next one (the print dialog shows it).
    void applyPageSize() {
        if (width_ <= 0 || height_ <= 0)
            return;
        if (!rollLayout_)
            sheetLayout_ = printer_.pageLayout();
        printer_.setPageLayout(rollLayout(width_, height_));
        rollLayout_ = true;
    }
    void restoreSheet() {
        if (!rollLayout_)
            return;
        printer_.setPageLayout(sheetLayout_);
        rollLayout_ = false;
    }

    QPrinter& printer_;
    QPainter painter_;
    QFont font_;
    int width_ = 0;
    int height_ = 0;
    bool rollLayout_ = false;
    QPageLayout sheetLayout_;
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

void QtReceiptPrinter::suggestFile(const QString& path) {
    if (printer_->outputFormat() != QPrinter::PdfFormat)
        return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    printer_->setOutputFileName(path);
}

QStringList QtReceiptPrinter::printerNames() const {
    return QPrinterInfo::availablePrinterNames();
}

bool QtReceiptPrinter::usePrinter(const QString& name) {
    if (QPrinterInfo::printerInfo(name).isNull())
        return false;
    printer_->setOutputFormat(QPrinter::NativeFormat);
    printer_->setPrinterName(name);
    return true;
}

void QtReceiptPrinter::useFile(const QString& path) {
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(path);
}

namespace {

// Learns the page size a document asks for, drawing nothing.
class PageSizeProbe : public ReceiptCanvas {
public:
    void setFont(const QString&, int) override {}
    void setPageSize(int w, int h) override {
        width = w;
        height = h;
    }
    void beginDocument() override {}
    void textOut(int, int, const QString&) override {}
    void newPage() override {}
    void endDocument() override {}

    int width = 0;
    int height = 0;
};

} // namespace

void QtReceiptPrinter::preview(const DrawPage& draw) {
    printer_->setResolution(Resolution);
    // The preview lays its pages out before it paints them: a roll's size is
    // given to the printer first, and the sheet given back afterwards.
    PageSizeProbe probe;
    draw(probe);
    const QPageLayout sheet = printer_->pageLayout();
    const bool roll = probe.width > 0 && probe.height > 0;
    if (roll)
        printer_->setPageLayout(rollLayout(probe.width, probe.height));
    QPrintPreviewDialog dialog(printer_.get(), QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Просмотр квитанции"));
    // As large as the window it opens over. A sheet at the page's width: the
    // receipt takes only the top of the page and reads at about its printed
    // size; a roll whole.
    if (const QWidget* over = QApplication::activeWindow())
        dialog.resize(over->size());
    if (auto* view = dialog.findChild<QPrintPreviewWidget*>())
        view->setZoomMode(roll ? QPrintPreviewWidget::FitInView : QPrintPreviewWidget::FitToWidth);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&draw](QPrinter* printer) {
        Page page(*printer);
        draw(page);
    });
    dialog.exec();
    printer_->setPageLayout(sheet);
}

void QtReceiptPrinter::setFont(const QString& face, int pointSize) {
    page_->setFont(face, pointSize);
}

void QtReceiptPrinter::setPageSize(int width, int height) {
    page_->setPageSize(width, height);
}

void QtReceiptPrinter::newPage() {
    page_->newPage();
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
