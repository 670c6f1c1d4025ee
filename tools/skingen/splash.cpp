#include "splash.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>

#include "skin_style.h"
#include "window_skin.h"

namespace skingen {

void PaintSplash(QPainter& p, const QRect& area, int, bool) {
    QLinearGradient body(0, kCaptionBand, 0, area.height());
    body.setColorAt(0, QColor(22, 26, 31));
    body.setColorAt(1, QColor(11, 13, 16));
    p.fillRect(area, body);
    QRadialGradient glow(area.width() / 2.0, 110, 190);
    QColor accent = colour::kAccent;
    accent.setAlpha(26);
    glow.setColorAt(0, accent);
    accent.setAlpha(0);
    glow.setColorAt(1, accent);
    p.fillRect(area, glow);
    DrawCaptionBand(p, area.width());
    DrawProductName(p, QRect(0, 72, area.width(), 64), 54);
    QFont sub = UiFont(11, true);
    sub.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    p.setFont(sub);
    p.setPen(colour::kTextWeak);
    p.drawText(QRect(0, 140, area.width(), 18), Qt::AlignCenter, QStringLiteral("DRIVE RECORDER VIEWER"));
    p.setFont(UiFont(10));
    p.drawText(QRect(0, 266, area.width(), 16), Qt::AlignCenter, QStringLiteral("TripDesk for Linux"));
}

void PaintSpinnerFrame(QPainter& p, const QRect& area, int frame, bool) {
    constexpr int kDots = 9;
    const QPointF centre = QRectF(area).center();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < kDots; ++i) {
        const double angle = (-90.0 + i * 360.0 / kDots) * M_PI / 180.0;
        const QPointF at(centre.x() + 13 * std::cos(angle), centre.y() + 13 * std::sin(angle));
        const int age = (frame - i + kDots) % kDots;   // 0 = the lit dot, then its trail
        static constexpr int kAlpha[] = {255, 170, 110, 70, 45, 45, 45, 45, 45};
        QColor dot = colour::kAccent;
        dot.setAlpha(kAlpha[age]);
        p.setBrush(dot);
        p.drawEllipse(at, age == 0 ? 3.2 : 2.6, age == 0 ? 3.2 : 2.6);
    }
}

} // namespace skingen
