#include "glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace skingen {
namespace {

// Maps unit coordinates (0..1) of the box to pixels.
struct Unit {
    QRectF box;
    QPointF at(double x, double y) const { return {box.left() + x * box.width(), box.top() + y * box.height()}; }
    double len(double v) const { return v * box.width(); }
    QRectF rect(double x0, double y0, double x1, double y1) const { return {at(x0, y0), at(x1, y1)}; }
};

QPen StrokePen(const Unit& u, const QColor& ink, double scale = 1.0) {
    QPen pen(ink, std::max(1.3, u.len(0.075) * scale));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void FillPolygon(QPainter& p, const QPolygonF& poly, const QColor& ink) {
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    p.fillPath(path, ink);
}

QPolygonF Triangle(const Unit& u, double x0, double x1, double y0, double y1, bool right) {
    const double mid = (y0 + y1) / 2;
    if (right) return QPolygonF({u.at(x0, y0), u.at(x1, mid), u.at(x0, y1)});
    return QPolygonF({u.at(x1, y0), u.at(x0, mid), u.at(x1, y1)});
}

void DrawGear(QPainter& p, const Unit& u, const QColor& ink) {
    const QPointF centre = u.at(0.5, 0.5);
    QPainterPath body;
    body.addEllipse(centre, u.len(0.24), u.len(0.24));
    for (int i = 0; i < 8; ++i) {
        QPainterPath tooth;
        tooth.addRoundedRect(QRectF(-u.len(0.06), -u.len(0.34), u.len(0.12), u.len(0.16)), 1, 1);
        QTransform t;
        t.translate(centre.x(), centre.y());
        t.rotate(i * 45.0);
        body = body.united(t.map(tooth));
    }
    QPainterPath hole;
    hole.addEllipse(centre, u.len(0.1), u.len(0.1));
    p.fillPath(body.subtracted(hole), ink);
}

void DrawMapPin(QPainter& p, const Unit& u, const QColor& ink) {
    const QPointF centre = u.at(0.5, 0.4);
    const double r = u.len(0.22);
    QPainterPath head;
    head.addEllipse(centre, r, r);
    QPainterPath point;
    point.addPolygon(QPolygonF({QPointF(centre.x() - r * 0.86, centre.y() + r * 0.5),
                                QPointF(centre.x() + r * 0.86, centre.y() + r * 0.5), u.at(0.5, 0.86)}));
    point.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(centre, r * 0.42, r * 0.42);
    p.fillPath(head.united(point).subtracted(hole), ink);
}

void DrawUsb(QPainter& p, const Unit& u, const QColor& ink) {
    p.setPen(StrokePen(u, ink, 0.8));
    p.drawLine(u.at(0.5, 0.78), u.at(0.5, 0.26));
    FillPolygon(p, QPolygonF({u.at(0.5, 0.14), u.at(0.41, 0.28), u.at(0.59, 0.28)}), ink);
    p.drawPolyline(QPolygonF({u.at(0.5, 0.64), u.at(0.32, 0.52), u.at(0.32, 0.42)}));
    p.drawPolyline(QPolygonF({u.at(0.5, 0.56), u.at(0.68, 0.46), u.at(0.68, 0.38)}));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(u.at(0.32, 0.38), u.len(0.055), u.len(0.055));
    p.drawRect(QRectF(u.at(0.63, 0.3), QSizeF(u.len(0.1), u.len(0.1))));
    p.drawEllipse(u.at(0.5, 0.8), u.len(0.08), u.len(0.08));
}

void DrawFolder(QPainter& p, const Unit& u, const QColor& ink) {
    QPainterPath path;
    path.moveTo(u.at(0.1, 0.26));
    path.lineTo(u.at(0.4, 0.26));
    path.lineTo(u.at(0.48, 0.36));
    path.lineTo(u.at(0.9, 0.36));
    path.lineTo(u.at(0.9, 0.8));
    path.lineTo(u.at(0.1, 0.8));
    path.closeSubpath();
    p.fillPath(path, ink);
}

void DrawTrash(QPainter& p, const Unit& u, const QColor& ink) {
    p.setPen(StrokePen(u, ink, 0.9));
    p.drawLine(u.at(0.18, 0.26), u.at(0.82, 0.26));
    p.drawLine(u.at(0.4, 0.16), u.at(0.6, 0.16));
    QPainterPath body;
    body.moveTo(u.at(0.26, 0.34));
    body.lineTo(u.at(0.74, 0.34));
    body.lineTo(u.at(0.68, 0.86));
    body.lineTo(u.at(0.32, 0.86));
    body.closeSubpath();
    p.fillPath(body, ink);
}

} // namespace

void DrawGlyph(QPainter& p, Glyph glyph, const QRectF& box, const QColor& ink) {
    const Unit u{box};
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    switch (glyph) {
    case Glyph::Play:
        FillPolygon(p, Triangle(u, 0.34, 0.76, 0.24, 0.76, true), ink);
        break;
    case Glyph::Pause:
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRoundedRect(u.rect(0.3, 0.26, 0.43, 0.74), 1, 1);
        p.drawRoundedRect(u.rect(0.57, 0.26, 0.7, 0.74), 1, 1);
        break;
    case Glyph::Stop:
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRoundedRect(u.rect(0.3, 0.3, 0.7, 0.7), 2, 2);
        break;
    case Glyph::Previous:
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRoundedRect(u.rect(0.27, 0.29, 0.35, 0.71), 1, 1);
        FillPolygon(p, Triangle(u, 0.36, 0.72, 0.29, 0.71, false), ink);
        break;
    case Glyph::Next:
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRoundedRect(u.rect(0.65, 0.29, 0.73, 0.71), 1, 1);
        FillPolygon(p, Triangle(u, 0.28, 0.64, 0.29, 0.71, true), ink);
        break;
    case Glyph::Fast:
        FillPolygon(p, Triangle(u, 0.22, 0.5, 0.32, 0.68, true), ink);
        FillPolygon(p, Triangle(u, 0.5, 0.78, 0.32, 0.68, true), ink);
        break;
    case Glyph::Slow:
        FillPolygon(p, Triangle(u, 0.22, 0.5, 0.32, 0.68, false), ink);
        FillPolygon(p, Triangle(u, 0.5, 0.78, 0.32, 0.68, false), ink);
        break;
    case Glyph::Camera:
        p.setPen(StrokePen(u, ink));
        p.drawRoundedRect(u.rect(0.16, 0.33, 0.84, 0.76), u.len(0.08), u.len(0.08));
        p.drawEllipse(u.at(0.5, 0.545), u.len(0.13), u.len(0.13));
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRoundedRect(u.rect(0.35, 0.23, 0.58, 0.33), 1, 1);
        p.drawEllipse(u.at(0.73, 0.42), u.len(0.03), u.len(0.03));
        break;
    case Glyph::Gear:
        DrawGear(p, u, ink);
        break;
    case Glyph::Info:
        p.setPen(StrokePen(u, ink));
        p.drawEllipse(u.at(0.5, 0.5), u.len(0.32), u.len(0.32));
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(u.at(0.5, 0.35), u.len(0.05), u.len(0.05));
        p.drawRoundedRect(u.rect(0.455, 0.44, 0.545, 0.68), 1, 1);
        break;
    case Glyph::Clock:
        p.setPen(StrokePen(u, ink));
        p.drawEllipse(u.at(0.5, 0.5), u.len(0.32), u.len(0.32));
        p.drawLine(u.at(0.5, 0.5), u.at(0.5, 0.3));
        p.drawLine(u.at(0.5, 0.5), u.at(0.64, 0.58));
        break;
    case Glyph::MapPin:
        DrawMapPin(p, u, ink);
        break;
    case Glyph::Usb:
        DrawUsb(p, u, ink);
        break;
    case Glyph::Minimise:
        p.setPen(StrokePen(u, ink, 0.7));
        p.drawLine(u.at(0.32, 0.52), u.at(0.68, 0.52));
        break;
    case Glyph::Close:
        p.setPen(StrokePen(u, ink, 0.7));
        p.drawLine(u.at(0.34, 0.34), u.at(0.66, 0.66));
        p.drawLine(u.at(0.66, 0.34), u.at(0.34, 0.66));
        break;
    case Glyph::Folder:
        DrawFolder(p, u, ink);
        break;
    case Glyph::Trash:
        DrawTrash(p, u, ink);
        break;
    case Glyph::Check:
        p.setPen(StrokePen(u, ink, 1.3));
        p.drawPolyline(QPolygonF({u.at(0.24, 0.52), u.at(0.42, 0.7), u.at(0.76, 0.32)}));
        break;
    }
    p.restore();
}

} // namespace skingen
