// Paints the operator icons that ship in img/: one rounded square per category
// with a white picture of the category. Each .ico holds 16, 32 and 48 px images.
//
//   orvanta_icongen <output directory>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

#include <cstdio>
#include <functional>

namespace {

// Everything is drawn on a 48 x 48 canvas and scaled to each size.
constexpr qreal kCanvas = 48;
const QList<int> kSizes{16, 32, 48};

using Glyph = std::function<void(QPainter&, const QRectF&, const QColor&)>;

struct Category {
    QColor colour;
    Glyph glyph;
};

QPen strokePen(qreal width, const QColor& colour = Qt::white) {
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void mobile(QPainter& p, const QRectF& r, const QColor& base) {
    const QRectF body(r.center().x() - r.width() * 0.3, r.top(), r.width() * 0.6, r.height());
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(body, body.width() * 0.18, body.width() * 0.18);
    p.setBrush(base);
    const qreal m = body.width() * 0.14;
    p.drawRect(QRectF(body.left() + m, body.top() + body.height() * 0.14, body.width() - 2 * m,
                      body.height() * 0.62));
    const qreal dot = body.width() * 0.2;
    p.drawEllipse(QPointF(body.center().x(), body.bottom() - body.height() * 0.11), dot / 2, dot / 2);
}

void globe(QPainter& p, const QRectF& r, const QColor&) {
    const qreal w = r.width() * 0.09;
    const QRectF c = r.adjusted(w / 2, w / 2, -w / 2, -w / 2);
    p.setBrush(Qt::NoBrush);
    p.setPen(strokePen(w));
    p.drawEllipse(c);
    p.drawEllipse(QRectF(c.center().x() - c.width() * 0.22, c.top(), c.width() * 0.44, c.height()));
    p.drawLine(QPointF(c.left(), c.center().y()), QPointF(c.right(), c.center().y()));
    QPainterPath clip;
    clip.addEllipse(c);
    p.save();
    p.setClipPath(clip);
    for (const qreal y : {c.top() + c.height() * 0.25, c.top() + c.height() * 0.75})
        p.drawLine(QPointF(c.left(), y), QPointF(c.right(), y));
    p.restore();
}

void deskPhone(QPainter& p, const QRectF& r, const QColor& base) {
    // Handset: a shallow arch with a cup at each end.
    const qreal w = r.width() * 0.13;
    p.setBrush(Qt::NoBrush);
    p.setPen(strokePen(w));
    QPainterPath arch;
    arch.moveTo(r.left() + r.width() * 0.12, r.top() + r.height() * 0.34);
    arch.cubicTo(r.left() + r.width() * 0.25, r.top() + r.height() * 0.02, r.right() - r.width() * 0.25,
                 r.top() + r.height() * 0.02, r.right() - r.width() * 0.12, r.top() + r.height() * 0.34);
    p.drawPath(arch);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const QSizeF cup(r.width() * 0.26, r.height() * 0.16);
    p.drawRoundedRect(QRectF(QPointF(r.left(), r.top() + r.height() * 0.28), cup), cup.height() * 0.4,
                      cup.height() * 0.4);
    p.drawRoundedRect(QRectF(QPointF(r.right() - cup.width(), r.top() + r.height() * 0.28), cup),
                      cup.height() * 0.4, cup.height() * 0.4);
    // Body with a dial.
    QPainterPath body;
    body.moveTo(r.left() + r.width() * 0.22, r.top() + r.height() * 0.5);
    body.lineTo(r.right() - r.width() * 0.22, r.top() + r.height() * 0.5);
    body.lineTo(r.right() - r.width() * 0.04, r.bottom());
    body.lineTo(r.left() + r.width() * 0.04, r.bottom());
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(base);
    p.drawEllipse(QPointF(r.center().x(), r.top() + r.height() * 0.76), r.width() * 0.13, r.width() * 0.13);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(r.center().x(), r.top() + r.height() * 0.76), r.width() * 0.05, r.width() * 0.05);
}

void house(QPainter& p, const QRectF& r, const QColor& base) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    QPainterPath roof;
    roof.moveTo(r.center().x(), r.top());
    roof.lineTo(r.right(), r.top() + r.height() * 0.48);
    roof.lineTo(r.left(), r.top() + r.height() * 0.48);
    roof.closeSubpath();
    p.drawPath(roof);
    const QRectF walls(r.left() + r.width() * 0.14, r.top() + r.height() * 0.44, r.width() * 0.72,
                       r.height() * 0.56);
    p.drawRect(walls);
    // A water drop for a door: water, heating and power are what is paid here.
    p.setBrush(base);
    const QPointF tip(walls.center().x(), walls.top() + walls.height() * 0.18);
    const qreal rad = walls.width() * 0.17;
    const QPointF c(tip.x(), walls.bottom() - walls.height() * 0.12 - rad);
    QPainterPath drop;
    drop.moveTo(tip);
    drop.cubicTo(QPointF(tip.x() + rad * 0.2, tip.y() + rad * 0.9), QPointF(c.x() + rad, c.y() - rad * 0.3),
                 QPointF(c.x() + rad, c.y()));
    drop.arcTo(QRectF(c.x() - rad, c.y() - rad, 2 * rad, 2 * rad), 0, -180);
    drop.cubicTo(QPointF(c.x() - rad, c.y() - rad * 0.3), QPointF(tip.x() - rad * 0.2, tip.y() + rad * 0.9),
                 tip);
    p.drawPath(drop);
}

void taxForm(QPainter& p, const QRectF& r, const QColor& base) {
    const QRectF page(r.center().x() - r.width() * 0.38, r.top(), r.width() * 0.76, r.height());
    const qreal fold = page.width() * 0.3;
    QPainterPath sheet;
    sheet.moveTo(page.topLeft());
    sheet.lineTo(page.right() - fold, page.top());
    sheet.lineTo(page.right(), page.top() + fold);
    sheet.lineTo(page.bottomRight());
    sheet.lineTo(page.bottomLeft());
    sheet.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.setBrush(base.lighter(150));
    QPainterPath corner;
    corner.moveTo(page.right() - fold, page.top());
    corner.lineTo(page.right() - fold, page.top() + fold);
    corner.lineTo(page.right(), page.top() + fold);
    corner.closeSubpath();
    p.drawPath(corner);
    // A per cent sign.
    const qreal w = page.width() * 0.1;
    const QRectF s(page.left() + page.width() * 0.2, page.top() + page.height() * 0.36, page.width() * 0.6,
                   page.width() * 0.6);
    p.setPen(strokePen(w, base));
    p.drawLine(s.bottomLeft(), s.topRight());
    p.setPen(Qt::NoPen);
    p.setBrush(base);
    const qreal dot = s.width() * 0.17;
    p.drawEllipse(QPointF(s.left() + dot, s.top() + dot), dot, dot);
    p.drawEllipse(QPointF(s.right() - dot, s.bottom() - dot), dot, dot);
}

void bank(QPainter& p, const QRectF& r, const QColor&) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    QPainterPath roof;
    roof.moveTo(r.center().x(), r.top());
    roof.lineTo(r.right(), r.top() + r.height() * 0.3);
    roof.lineTo(r.left(), r.top() + r.height() * 0.3);
    roof.closeSubpath();
    p.drawPath(roof);
    const qreal colTop = r.top() + r.height() * 0.36;
    const qreal colBottom = r.bottom() - r.height() * 0.16;
    const qreal colW = r.width() * 0.14;
    for (int i = 0; i < 3; ++i) {
        const qreal x = r.left() + r.width() * (0.14 + 0.29 * i);
        p.drawRect(QRectF(x, colTop, colW, colBottom - colTop));
    }
    p.drawRect(QRectF(r.left(), r.bottom() - r.height() * 0.11, r.width(), r.height() * 0.11));
}

void bag(QPainter& p, const QRectF& r, const QColor& base) {
    const QRectF body(r.left() + r.width() * 0.08, r.top() + r.height() * 0.3, r.width() * 0.84,
                      r.height() * 0.7);
    p.setBrush(Qt::NoBrush);
    p.setPen(strokePen(r.width() * 0.09));
    p.drawArc(
        QRectF(body.center().x() - body.width() * 0.26, r.top(), body.width() * 0.52, r.height() * 0.56), 0,
        180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(body, body.width() * 0.08, body.width() * 0.08);
    p.setBrush(base);
    const qreal hole = body.width() * 0.06;
    p.drawEllipse(QPointF(body.center().x() - body.width() * 0.26, body.top() + body.height() * 0.2), hole,
                  hole);
    p.drawEllipse(QPointF(body.center().x() + body.width() * 0.26, body.top() + body.height() * 0.2), hole,
                  hole);
}

void card(QPainter& p, const QRectF& r, const QColor& base) {
    const QRectF c(r.left(), r.top() + r.height() * 0.16, r.width(), r.height() * 0.68);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(c, c.height() * 0.12, c.height() * 0.12);
    p.setBrush(base.darker(140));
    p.drawRect(QRectF(c.left(), c.top() + c.height() * 0.18, c.width(), c.height() * 0.2));
    p.setBrush(base);
    p.drawRoundedRect(
        QRectF(c.left() + c.width() * 0.1, c.top() + c.height() * 0.56, c.width() * 0.24, c.height() * 0.22),
        c.height() * 0.05, c.height() * 0.05);
    p.drawRect(QRectF(c.left() + c.width() * 0.44, c.top() + c.height() * 0.64, c.width() * 0.44,
                      c.height() * 0.08));
}

// Category by the first two digits of the article code, in tab order.
const QHash<QString, Category>& categories() {
    static const QHash<QString, Category> list{
        {QStringLiteral("11"), {QColor(0x1f, 0x6f, 0xc5), mobile}},
        {QStringLiteral("12"), {QColor(0x0b, 0x93, 0x9c), globe}},
        {QStringLiteral("13"), {QColor(0x2e, 0x8b, 0x47), deskPhone}},
        {QStringLiteral("14"), {QColor(0xe0, 0x7a, 0x10), house}},
        {QStringLiteral("15"), {QColor(0x7d, 0x3c, 0x98), taxForm}},
        {QStringLiteral("16"), {QColor(0x27, 0x3c, 0x75), bank}},
        {QStringLiteral("17"), {QColor(0xc0, 0x39, 0x2b), bag}},
        {QStringLiteral("99"), {QColor(0x6c, 0x75, 0x7d), card}},
    };
    return list;
}

QImage paint(const Category& category, int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kCanvas, size / kCanvas);

    const QRectF tile(1.5, 1.5, kCanvas - 3, kCanvas - 3);
    QLinearGradient shade(tile.topLeft(), tile.bottomLeft());
    shade.setColorAt(0, category.colour.lighter(125));
    shade.setColorAt(1, category.colour.darker(110));
    p.setPen(QPen(category.colour.darker(150), 1.5));
    p.setBrush(shade);
    p.drawRoundedRect(tile, 9, 9);
    // No number on the tile: the button's own caption carries its key (Alt+0 and
    // on, by position), and a second, different digit misled the cashier.
    category.glyph(p, QRectF(9, 9, 30, 30), category.colour);
    return img;
}

// Qt's ico writer stores one image per file; the images of each size are
// written one by one and their entries joined under one directory.
QByteArray icoOf(const QList<QImage>& images) {
    struct Entry {
        QByteArray dir; // 16 bytes
        QByteArray data;
    };
    QList<Entry> entries;
    for (const QImage& img : images) {
        QBuffer buf;
        buf.open(QIODevice::WriteOnly);
        QImageWriter writer(&buf, "ico");
        if (!writer.write(img))
            qFatal("ico writer: %s", qPrintable(writer.errorString()));
        const QByteArray single = buf.data();
        const quint32 size = qFromLittleEndian<quint32>(single.constData() + 6 + 8);
        const quint32 offset = qFromLittleEndian<quint32>(single.constData() + 6 + 12);
        if (qFromLittleEndian<quint16>(single.constData() + 4) != 1 || offset + size > quint32(single.size()))
            qFatal("unexpected ico layout");
        QByteArray data = single.mid(offset, size);
        // The writer leaves the padding of each transparency-mask row unset, so
        // the same drawing gave different files; zero it.
        const int w = img.width();
        const int maskRow = (w + 31) / 32 * 4;
        const int maskStart = 40 + w * img.height() * 4;
        if (w % 8 != 0 || maskStart + maskRow * img.height() != data.size())
            qFatal("unexpected ico image layout");
        for (int y = 0; y < img.height(); ++y)
            for (int b = w / 8; b < maskRow; ++b)
                data[maskStart + y * maskRow + b] = 0;
        entries.append({single.mid(6, 16), data});
    }
    QByteArray out(6, '\0');
    qToLittleEndian<quint16>(1, out.data() + 2);
    qToLittleEndian<quint16>(quint16(entries.size()), out.data() + 4);
    quint32 offset = quint32(6 + 16 * entries.size());
    for (Entry& e : entries) {
        qToLittleEndian<quint32>(offset, e.dir.data() + 12);
        out += e.dir;
        offset += quint32(e.data.size());
    }
    for (const Entry& e : entries)
        out += e.data;
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outDir);

    // The demo catalogue's article codes, and 99, the icon of an operator without one.
    const QStringList articles{
        QStringLiteral("1101"), QStringLiteral("1102"), QStringLiteral("1103"), QStringLiteral("1104"),
        QStringLiteral("1201"), QStringLiteral("1202"), QStringLiteral("1301"), QStringLiteral("1302"),
        QStringLiteral("1401"), QStringLiteral("1402"), QStringLiteral("1403"), QStringLiteral("1501"),
        QStringLiteral("1601"), QStringLiteral("1602"), QStringLiteral("1701"), QStringLiteral("99")};
    for (const QString& art : articles) {
        const Category& category = categories()[art.left(2)];
        QList<QImage> images;
        for (const int size : kSizes)
            images << paint(category, size);
        QFile f(outDir + QLatin1Char('/') + art + QStringLiteral(".ico"));
        if (!f.open(QIODevice::WriteOnly) || f.write(icoOf(images)) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
            return 1;
        }
    }
    return 0;
}
