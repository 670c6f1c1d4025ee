#include "app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "skin_style.h"

namespace skingen {

void PaintAppIconAt(QPainter& p, const QRect& box) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile = QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5);
    const double size = tile.width();
    QLinearGradient face(tile.topLeft(), tile.bottomLeft());
    face.setColorAt(0, QColor(48, 55, 64));
    face.setColorAt(1, QColor(18, 21, 25));
    p.setPen(QPen(QColor(70, 78, 90), 1));
    p.setBrush(face);
    p.drawRoundedRect(tile, size * 0.24, size * 0.24);

    const QPointF centre = tile.center();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour::kAccent, std::max(1.5, size * 0.09)));
    p.drawEllipse(centre, size * 0.29, size * 0.29);

    const double r = size * 0.15;
    QPainterPath play;
    play.moveTo(centre.x() - r * 0.6, centre.y() - r);
    play.lineTo(centre.x() + r * 1.0, centre.y());
    play.lineTo(centre.x() - r * 0.6, centre.y() + r);
    play.closeSubpath();
    p.fillPath(play, colour::kAccent);
    p.restore();
}

} // namespace skingen
