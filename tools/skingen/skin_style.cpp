#include "skin_style.h"

#include <QPainter>
#include <QPainterPath>

namespace skingen {

QFont UiFont(int pixels, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("NanumGothic")});
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont LogoFont(int pixels) {
    QFont font;
    font.setFamilies({QStringLiteral("NanumSquare"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixels);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void FillRoundedRect(QPainter& p, const QRectF& rect, double radius, const QColor& fill,
                     const QColor& border) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (border.isValid()) {
        p.setPen(QPen(border, 1));
        p.setBrush(fill);
        p.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(rect, radius, radius);
    }
    p.restore();
}

void DrawCard(QPainter& p, const QRectF& rect) {
    FillRoundedRect(p, rect, 8, colour::kCard, colour::kCardBorder);
}

void DrawWell(QPainter& p, const QRectF& rect, double radius) {
    FillRoundedRect(p, rect, radius, colour::kWell, colour::kWellBorder);
}

void DrawGroove(QPainter& p, const QRectF& rect) {
    FillRoundedRect(p, rect, rect.height() / 2, colour::kWell);
}

QFont CaptionLabelFont() {
    QFont font = UiFont(10, true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    return font;
}

void DrawCaptionLabel(QPainter& p, const QPointF& topLeft, const QString& text) {
    p.save();
    p.setFont(CaptionLabelFont());
    p.setPen(colour::kTextWeak);
    p.drawText(QRectF(topLeft, QSizeF(400, 14)), Qt::AlignLeft | Qt::AlignVCenter, text);
    p.restore();
}

} // namespace skingen
