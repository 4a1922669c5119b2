#include "ui/Logo.h"

#include <QPainter>
#include <QPainterPath>

namespace Logo {

QPixmap pixmap(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    // A teal disc with an open white ring and an amber spark: an "O" in motion.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 128, 128));
    p.drawEllipse(QRectF(0.04 * s, 0.04 * s, 0.92 * s, 0.92 * s));
    QPen ring(Qt::white, 0.12 * s, Qt::SolidLine, Qt::RoundCap);
    p.setPen(ring);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(0.25 * s, 0.25 * s, 0.5 * s, 0.5 * s), 60 * 16, 300 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 176, 0));
    p.drawEllipse(QRectF(0.62 * s, 0.16 * s, 0.16 * s, 0.16 * s));
    return pm;
}

} // namespace Logo
