#include "telemetry_pieces.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "skin_style.h"
#include "window_skin.h"

namespace skingen {
namespace {

QLinearGradient AccentFill(double height) {
    QLinearGradient fill(0, 0, 0, height);
    fill.setColorAt(0, QColor(200, 255, 130));
    fill.setColorAt(1, QColor(130, 215, 45));
    return fill;
}

// Fills the whole bitmap but its corners, so it sits as well on the bars' cards as on the
// black settings window that shares it.
void DrawThumb(QPainter& p, const QRectF& area) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face = area.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, QColor(246, 248, 250));
    fill.setColorAt(1, QColor(196, 202, 210));
    p.setPen(QPen(QColor(90, 98, 108), 1));
    p.setBrush(fill);
    p.drawRoundedRect(face, 5, 5);
    p.setPen(QPen(QColor(150, 158, 168), 1));
    const double cx = face.center().x();
    for (double dx : {-3.0, 0.0, 3.0}) p.drawLine(QPointF(cx + dx, face.top() + 6), QPointF(cx + dx, face.bottom() - 6));
    p.restore();
}

// Seven segments a..g as polygons in a 15 x 31 cell.
QPolygonF Segment(int index) {
    constexpr double t = 3.0, half = t / 2, gap = 0.7;
    constexpr double left = 2, right = 13, top = 2.5, middle = 15.5, bottom = 28.5;
    auto horizontal = [&](double y) {
        const double a = left + gap, b = right - gap;
        return QPolygonF({{a, y}, {a + half, y - half}, {b - half, y - half}, {b, y}, {b - half, y + half}, {a + half, y + half}});
    };
    auto vertical = [&](double x, double y0, double y1) {
        const double a = y0 + gap, b = y1 - gap;
        return QPolygonF({{x, a}, {x + half, a + half}, {x + half, b - half}, {x, b}, {x - half, b - half}, {x - half, a + half}});
    };
    switch (index) {
    case 0: return horizontal(top);
    case 1: return vertical(right, top, middle);
    case 2: return vertical(right, middle, bottom);
    case 3: return horizontal(bottom);
    case 4: return vertical(left, middle, bottom);
    case 5: return vertical(left, top, middle);
    default: return horizontal(middle);
    }
}

// Bit i lights segment i (a = bit 0 .. g = bit 6).
constexpr unsigned kDigitSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

void DrawCentredText(QPainter& p, const QRectF& box, const QString& text, const QFont& font, const QColor& ink) {
    p.save();
    p.setFont(font);
    p.setPen(ink);
    p.drawText(box, Qt::AlignCenter, text);
    p.restore();
}

void DrawCompass(QPainter& p, const QPointF& centre) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour::kControlBorder, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 47, 47);
    p.setPen(QPen(colour::kWellBorder, 1));
    p.setBrush(colour::kWell);
    p.drawEllipse(centre, 31, 31);
    for (int degrees = 0; degrees < 360; degrees += 30) {
        const double a = degrees * M_PI / 180.0;
        const bool cardinal = degrees % 90 == 0;
        const double inner = cardinal ? 24 : 27;
        p.setPen(QPen(cardinal ? QColor(120, 128, 138) : QColor(62, 69, 79), cardinal ? 1.6 : 1.2));
        p.drawLine(QPointF(centre.x() + inner * std::sin(a), centre.y() - inner * std::cos(a)),
                   QPointF(centre.x() + 30 * std::sin(a), centre.y() - 30 * std::cos(a)));
    }
    struct Cardinal { const char* name; double degrees; };
    static constexpr Cardinal kCardinals[] = {{"N", 0}, {"E", 90}, {"S", 180}, {"W", 270}};
    for (const Cardinal& c : kCardinals) {
        const double a = c.degrees * M_PI / 180.0;
        const QPointF at(centre.x() + 39 * std::sin(a), centre.y() - 39 * std::cos(a));
        DrawCentredText(p, QRectF(at.x() - 8, at.y() - 7, 16, 14), QString::fromLatin1(c.name), UiFont(10, true),
                        c.degrees == 0 ? colour::kAccent : colour::kTextWeak);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 98, 108));
    p.drawEllipse(centre, 3, 3);
    p.restore();
}

} // namespace

void PaintBarPiece(QPainter& p, const QRect& area, int piece, bool) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(area);
    const double h = area.height();
    QRectF pill = QRectF(area);
    if (piece == 0) pill.setRight(area.width() + h);   // left cap: left half of a pill
    if (piece == 2) pill.setLeft(-h);                  // right cap: right half
    p.setPen(Qt::NoPen);
    p.setBrush(AccentFill(h));
    if (piece == 1)
        p.drawRect(pill);
    else
        p.drawRoundedRect(pill, h / 2, h / 2);
    p.restore();
}

void PaintBarThumb(QPainter& p, const QRect& area, int, bool) {
    DrawThumb(p, QRectF(area));
}

void PaintSpeaker(QPainter& p, const QRect& area, int, bool) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(170, 177, 186);
    const double cy = area.height() / 2.0;
    QPainterPath body;
    body.moveTo(4, cy - 3);
    body.lineTo(8, cy - 3);
    body.lineTo(13, cy - 7);
    body.lineTo(13, cy + 7);
    body.lineTo(8, cy + 3);
    body.lineTo(4, cy + 3);
    body.closeSubpath();
    p.fillPath(body, ink);
    p.setPen(QPen(ink, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(10, cy - 4, 8, 8), -50 * 16, 100 * 16);
    p.drawArc(QRectF(9, cy - 7.5, 14, 15), -50 * 16, 100 * 16);
    p.restore();
}

void PaintVolumeBackground(QPainter& p, const QRect&, int, bool) {
    // Drawn at x 2 of its control: the track caps of the control at x 26 and 188 fall on 24..191.
    DrawGroove(p, QRectF(24, 14, 167, 8));
}

void PaintProgressBackground(QPainter& p, const QRect&, int, bool) {
    DrawGroove(p, QRectF(2, 7, 385, 8));
}

void PaintGpsPanel(QPainter& p, const QRect& area, int, bool) {
    DrawCentredText(p, QRectF(0, 14, area.width(), 14), QStringLiteral("SPEED"), CaptionLabelFont(), colour::kTextWeak);
    // The three 15 x 31 digits go at (51, 41), (66, 41), (81, 41).
    DrawWell(p, QRectF(45, 35, 57, 43), 5);
    p.fillRect(QRect(16, 96, area.width() - 32, 1), colour::kCardBorder);
    DrawCentredText(p, QRectF(0, 108, area.width(), 14), QStringLiteral("HEADING"), CaptionLabelFont(), colour::kTextWeak);
    DrawCompass(p, QPointF(73, 192));
}

void PaintGsensorBackground(QPainter& p, const QRect&, int, bool) {
    // Plot area 75..355 x 7..128; one g is 21.5 pixels; the zero line is y 80.
    const QRect plot(75, 7, 281, 122);
    p.fillRect(plot.adjusted(-1, -1, 1, 1), colour::kWellBorder);
    p.fillRect(plot, colour::kWell);
    for (int x = plot.left() + 28; x < plot.right(); x += 28) p.fillRect(QRect(x, plot.top(), 1, plot.height()), QColor(22, 26, 31));
    struct GridLine { int y; const char* label; };
    static constexpr GridLine kLines[] = {{37, "+2g"}, {58, "+1g"}, {80, "0"}, {101, "-1g"}, {123, "-2g"}};
    p.setFont(UiFont(9));
    for (const GridLine& line : kLines) {
        const bool zero = line.y == 80;
        if (zero) {
            p.fillRect(QRect(plot.left(), line.y, plot.width(), 1), QColor(72, 80, 92));
        } else {
            for (int x = plot.left(); x < plot.right(); x += 4) p.fillRect(QRect(x, line.y, 2, 1), QColor(36, 42, 50));
        }
        p.setPen(zero ? colour::kText : colour::kTextWeak);
        p.drawText(QRect(30, line.y - 7, 40, 14), Qt::AlignRight | Qt::AlignVCenter, QString::fromLatin1(line.label));
    }
    p.setFont(CaptionLabelFont());
    p.setPen(colour::kTextWeak);
    // Top left: the value texts take the bottom line from x 75.
    p.drawText(QRect(8, 6, 66, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("G-SENSOR"));

    struct Legend { const char* axis; QColor colour; };
    const Legend legend[] = {{"X", QColor(255, 0, 110)}, {"Y", QColor(135, 255, 0)}, {"Z", QColor(0, 255, 255)}};
    for (int i = 0; i < 3; ++i) {
        const int y = 40 + i * 20;
        p.fillRect(QRect(363, y, 10, 2), legend[i].colour);
        p.setFont(UiFont(10, true));
        p.setPen(legend[i].colour);
        p.drawText(QRect(376, y - 7, 14, 14), Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(legend[i].axis));
    }
    // The current values are written at y 140 below this line.
    p.fillRect(QRect(plot.left(), 134, plot.width(), 1), colour::kCardBorder);
}

void PaintTitle(QPainter& p, const QRect& area, int, bool) {
    DrawProductName(p, QRect(0, 0, area.width(), 35), 22);
}

void PaintNothing(QPainter&, const QRect&, int, bool) {}

void PaintSpeedDigit(QPainter& p, const QRect& area, int digit, bool) {
    p.fillRect(area, colour::kWell);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int segment = 0; segment < 7; ++segment) {
        const bool lit = (kDigitSegments[digit] >> segment) & 1u;
        p.setBrush(lit ? colour::kAccent : QColor(24, 29, 34));
        p.drawPolygon(Segment(segment));
    }
    p.restore();
}

void PaintKindIcon(QPainter& p, const QRect& area, int badge, bool) {
    struct Badge { QColor colour; const char* letter; };
    const Badge badges[] = {
        {QColor(52, 178, 98), nullptr},   // continuous: a loop
        {QColor(240, 140, 30), "!"},
        {QColor(120, 128, 138), "M"},
        {QColor(50, 140, 240), "P"},
    };
    p.fillRect(area, colour::kListBackground);
    FillRoundedRect(p, QRectF(area), 3, badges[badge].colour);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (badges[badge].letter) {
        p.setFont(UiFont(11, true));
        p.setPen(Qt::white);
        p.drawText(QRectF(area).translated(0, 0.5), Qt::AlignCenter, QString::fromLatin1(badges[badge].letter));
    } else {
        p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(QRectF(3.2, 3.2, 7.6, 7.6), 100 * 16, 270 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({{6.2, 1.6}, {9.4, 3.6}, {6.2, 5.6}}));
    }
    p.restore();
}

void PaintScrollArrow(QPainter& p, const QRect& area, int down, bool) {
    p.fillRect(area, colour::kScrollTrack);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(160, 166, 174), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const double cx = area.width() / 2.0, cy = area.height() / 2.0;
    const double dy = down ? 1.6 : -1.6;
    p.drawPolyline(QPolygonF({{cx - 3.5, cy - dy}, {cx, cy + dy}, {cx + 3.5, cy - dy}}));
    p.restore();
}

} // namespace skingen
