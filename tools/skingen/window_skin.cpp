#include "window_skin.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "app_icon.h"
#include "skin_style.h"

namespace skingen {
namespace {

constexpr QRect kVideoAreas[] = {{24, 88, 480, 360}, {514, 88, 480, 360}};

void DrawVideoFrames(QPainter& p) {
    for (const QRect& video : kVideoAreas) {
        FillRoundedRect(p, video.adjusted(-4, -4, 4, 4), 6, QColor(8, 9, 11), colour::kCardBorder);
        p.fillRect(video, Qt::black);
    }
}

void DrawToolbarStrip(QPainter& p) {
    FillRoundedRect(p, QRectF(819, 43, 176, 44), 10, colour::kCard, colour::kCardBorder);
}

void DrawTransportCard(QPainter& p) {
    DrawCard(p, QRectF(20, 456, 406, 129));
    DrawCaptionLabel(p, QPointF(32, 461), QStringLiteral("PLAYBACK"));
    // Clip times are written white on black here.
    FillRoundedRect(p, QRectF(262, 501, 150, 22), 4, Qt::black, colour::kWellBorder);
}

void DrawGsensorCard(QPainter& p) {
    DrawCard(p, QRectF(22, 588, 404, 170));
}

void DrawGpsCard(QPainter& p) {
    DrawCard(p, QRectF(433, 452, 154, 304));
    // Latitude and longitude are written on (44, 44, 44) just below the panel bitmap.
    FillRoundedRect(p, QRectF(441, 713, 138, 38), 5, colour::kPositionWell);
}

void DrawSpeedAndVolumeCard(QPainter& p) {
    DrawCard(p, QRectF(592, 460, 416, 60));
    DrawGroove(p, QRectF(629, 488, 129, 4));
    DrawWell(p, QRectF(654, 476, 62, 29), 5);
}

void DrawListCard(QPainter& p) {
    DrawCard(p, QRectF(592, 522, 416, 236));
    DrawCaptionLabel(p, QPointF(606, 529), QStringLiteral("PLAY LIST"));
    p.fillRect(QRect(604, 550, 384, 26), colour::kHeaderBand);
    p.fillRect(QRect(604, 577, 383, 177), colour::kListBackground);
}

} // namespace

void DrawCaptionBand(QPainter& p, int width) {
    p.fillRect(QRect(0, 0, width, kCaptionBand), colour::kCaption);
    p.fillRect(QRect(0, kCaptionBand, width, 1), colour::kCaptionLine);
    PaintAppIconAt(p, QRect(12, 9, 16, 16));
    p.setFont(UiFont(12, true));
    p.setPen(colour::kTextWeak);
    p.drawText(QRect(36, 0, 200, kCaptionBand), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("RDX4400 Viewer"));
}

void DrawProductName(QPainter& p, const QRect& box, int pixels) {
    const QFont font = LogoFont(pixels);
    const QFontMetricsF metrics(font);
    const QString head = QStringLiteral("RDX");
    const QString tail = QStringLiteral("4400");
    const double headWidth = metrics.horizontalAdvance(head);
    const double x = box.left() + (box.width() - headWidth - metrics.horizontalAdvance(tail)) / 2;
    const double baseline = box.top() + (box.height() + metrics.capHeight()) / 2;
    // The installed face has no heavy weight: outline the glyphs to embolden them.
    auto draw = [&](const QString& text, double left, const QColor& ink) {
        QPainterPath path;
        path.addText(left, baseline, font, text);
        p.setPen(QPen(ink, pixels / 22.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(ink);
        p.drawPath(path);
    };
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    draw(head, x, QColor(240, 243, 246));
    draw(tail, x + headWidth, colour::kAccent);
    p.restore();
}

void PaintWindowSkin(QPainter& p, const QRect& area, int, bool) {
    QLinearGradient body(0, kCaptionBand, 0, area.height());
    body.setColorAt(0, colour::kWindowTop);
    body.setColorAt(1, colour::kWindowBottom);
    p.fillRect(area, body);
    DrawCaptionBand(p, area.width());
    DrawVideoFrames(p);
    DrawToolbarStrip(p);
    DrawTransportCard(p);
    DrawGsensorCard(p);
    DrawGpsCard(p);
    DrawSpeedAndVolumeCard(p);
    DrawListCard(p);
}

} // namespace skingen
