// Paints the program's own icon, the one the desktop's menu shows: a receipt
// coming out of a green rounded square, with a coin in front of it. One PNG per
// size of the hicolor icon theme.
//
//   orvanta_appicongen <hicolor directory> <icon name>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

namespace {

// Everything is drawn on a 256 x 256 canvas and scaled to each size.
constexpr qreal kCanvas = 256;
const QList<int> kSizes{16, 22, 24, 32, 48, 64, 128, 256};

void background(QPainter& p) {
    const QRectF r(8, 8, 240, 240);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, QColor(0x1f, 0xa3, 0x7a));
    fill.setColorAt(1, QColor(0x0b, 0x5e, 0x4a));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(r, 48, 48);
}

// The receipt: a white strip with a torn lower edge and, when there is room, lines of print.
void receipt(QPainter& p, bool withLines) {
    const qreal left = 62, right = 178, top = 36, bottom = 200;
    QPainterPath paper;
    paper.moveTo(left, top);
    paper.lineTo(right, top);
    paper.lineTo(right, bottom);
    const int teeth = 6;
    const qreal step = (right - left) / teeth;
    for (int i = 0; i < teeth; ++i) {
        paper.lineTo(right - step * (i + 0.5), bottom - 12);
        paper.lineTo(right - step * (i + 1), bottom);
    }
    paper.closeSubpath();
    p.setBrush(QColor(0xfb, 0xfb, 0xf7));
    p.setPen(Qt::NoPen);
    p.drawPath(paper);
    if (!withLines)
        return;
    p.setBrush(QColor(0x8a, 0x9a, 0x96));
    const qreal widths[] = {84, 60, 76, 44};
    for (int i = 0; i < 4; ++i)
        p.drawRoundedRect(QRectF(left + 16, top + 24 + i * 26, widths[i], 10), 5, 5);
}

// A gold coin with a ring, lower right, over the receipt.
void coin(QPainter& p, bool withRing) {
    const QPointF c(176, 176);
    const qreal radius = 54;
    p.setPen(QPen(QColor(0x8a, 0x5a, 0x00), 8));
    QRadialGradient gold(c - QPointF(18, 18), radius * 1.4);
    gold.setColorAt(0, QColor(0xff, 0xe0, 0x6a));
    gold.setColorAt(1, QColor(0xe0, 0x9a, 0x10));
    p.setBrush(gold);
    p.drawEllipse(c, radius, radius);
    if (!withRing)
        return;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x9a, 0x66, 0x00), 12));
    p.drawEllipse(c, radius * 0.46, radius * 0.46);
}

QImage paint(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kCanvas, size / kCanvas);
    background(p);
    // The small sizes leave out what would only blur.
    receipt(p, size >= 32);
    coin(p, size >= 24);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <hicolor directory> <icon name>\n", argv[0]);
        return 2;
    }
    const QString hicolor = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (const int size : kSizes) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(hicolor).arg(size);
        const QString file = dir + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!QDir().mkpath(dir) || !paint(size).save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
