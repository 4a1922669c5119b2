#include "ui/Procent.h"

#include "reports/ProgressGauge.h"
#include "reports/SpreadsheetExport.h"
#include "ui/Widgets.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace {
const QColor kCream(0xFF, 0xFB, 0xF0);
const QColor kBar(Qt::blue);
const QColor kBackground(Qt::white);
// How long the window may take to come up on the screen before the export goes on.
constexpr int kExposeWaitMs = 200;
} // namespace

TCGauge::TCGauge(ProgressGauge& gauge, QWidget* parent) : QWidget(parent), gauge_(gauge) {
    setObjectName(QStringLiteral("CGauge1"));
    setFixedHeight(25);
    // The export holds the event loop until it ends, so the gauge paints at once.
    connect(&gauge_, &ProgressGauge::changed, this, [this] { repaint(); });
}

void TCGauge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    p.fillRect(inner, kBackground);
    const int percent = gauge_.percentDone();
    const int barWidth = std::min(inner.width(), int(percent * 0.01 * inner.width()));
    const QRect bar(inner.topLeft(), QSize(barWidth, inner.height()));
    p.fillRect(bar, kBar);

    // The percentage stays readable over both parts: blue on white, white on blue.
    const QString text = QString::number(percent) + QLatin1Char('%');
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    p.setClipRect(inner.adjusted(barWidth, 0, 0, 0));
    p.setPen(kBar);
    p.drawText(inner, Qt::AlignCenter, text);
    p.setClipRect(bar);
    p.setPen(kBackground);
    p.drawText(inner, Qt::AlignCenter, text);
}

TProgress::TProgress(SpreadsheetExport& exporter, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Progress"));
    setWindowTitle(QStringLiteral("Загрузка"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setFixedSize(314, 57);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kCream);
    setPalette(pal);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* label1 = Widgets::label(QStringLiteral("Ждите идет формирование..."), "Label1", this);
    label1->setFixedHeight(22);
    label1->setAlignment(Qt::AlignCenter);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(19);
    label1->setFont(arial);
    label1->setStyleSheet(QStringLiteral("color: blue;"));
    column->addWidget(label1);
    column->addStretch(1);
    gauge_ = new TCGauge(exporter.gauge(), this);
    column->addWidget(gauge_);

    connect(&exporter, &SpreadsheetExport::progressVisibleChanged, this, &TProgress::setShown);
}

void TProgress::setShown(bool shown) {
    if (!shown) {
        hide();
        return;
    }
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    show();
    raise();
    // The export keeps the event loop until it ends: let the window reach the
    // screen first (no input, no socket reads), so its repaints are seen.
    QElapsedTimer waited;
    waited.start();
    while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < kExposeWaitMs)
        QCoreApplication::processEvents(
            QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers, 10);
    repaint();
}
