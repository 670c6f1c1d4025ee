#include "button_pieces.h"

#include <QPainter>
#include <algorithm>
#include <optional>

#include "glyphs.h"
#include "skin_style.h"

namespace skingen {
namespace {

enum class Tone {
    Panel,      // on the window's cards
    Primary,    // accent button on a black popup
    Secondary,  // outlined button on a black popup
};

struct LabelledButton {
    std::optional<Glyph> glyph;
    const char* text;
    Tone tone;
};

// Indexed by LabelledButtonId.
const LabelledButton kLabelledButtons[] = {
    {Glyph::Folder, "파일 열기", Tone::Panel},
    {Glyph::Trash, "목록삭제", Tone::Panel},
    {std::nullopt, "확인", Tone::Primary},
    {Glyph::Folder, "폴더 선택", Tone::Secondary},
    {Glyph::Camera, "캡쳐", Tone::Primary},
    {std::nullopt, "저장", Tone::Primary},
    {std::nullopt, "나가기", Tone::Secondary},
    {std::nullopt, "확인", Tone::Primary},
};

struct Look {
    QColor fill;
    QColor border;
    QColor ink;
};

Look LookOf(Tone tone, bool pressed) {
    switch (tone) {
    case Tone::Panel:
        return pressed ? Look{colour::kAccent, QColor(), colour::kAccentInk}
                       : Look{colour::kControl, colour::kControlBorder, colour::kText};
    case Tone::Primary:
        return pressed ? Look{colour::kAccentPressed, QColor(), colour::kAccentInk}
                       : Look{colour::kAccent, QColor(), colour::kAccentInk};
    case Tone::Secondary:
        return pressed ? Look{colour::kControlPressed, QColor(110, 118, 128), Qt::white}
                       : Look{Qt::black, QColor(110, 118, 128), colour::kText};
    }
    return {};
}

QRectF CentredSquare(const QRectF& area, double side) {
    return {area.center().x() - side / 2, area.center().y() - side / 2, side, side};
}

} // namespace

void PaintTransportButton(QPainter& p, const QRect& area, int glyph, bool pressed) {
    const auto g = static_cast<Glyph>(glyph);
    const bool primary = g == Glyph::Play;
    Look look = primary ? LookOf(Tone::Primary, pressed)
                        : (pressed ? Look{colour::kControlPressed, colour::kControlBorder, colour::kAccent}
                                   : Look{colour::kControl, colour::kControlBorder, colour::kText});
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF disc = QRectF(area).adjusted(1.5, 1.5, -1.5, -1.5);
    p.setPen(look.border.isValid() ? QPen(look.border, 1) : Qt::NoPen);
    p.setBrush(look.fill);
    p.drawEllipse(disc);
    p.restore();
    const QRectF box = QRectF(area).translated(0, pressed ? 1 : 0);
    DrawGlyph(p, g, box, look.ink);
}

void PaintToolButton(QPainter& p, const QRect& area, int glyph, bool pressed) {
    const Look look = LookOf(Tone::Panel, pressed);
    FillRoundedRect(p, QRectF(area).adjusted(1, 1, -1, -1), 8, look.fill, look.border);
    const double side = std::min(area.width(), area.height()) * 0.78;
    DrawGlyph(p, static_cast<Glyph>(glyph), CentredSquare(area, side).translated(0, pressed ? 1 : 0), look.ink);
}

void PaintCaptionButton(QPainter& p, const QRect& area, int glyph, bool pressed) {
    const auto g = static_cast<Glyph>(glyph);
    QColor ink(175, 182, 190);
    if (pressed) {
        p.fillRect(area.adjusted(0, 0, 0, -1), g == Glyph::Close ? colour::kDanger : colour::kControlPressed);
        ink = Qt::white;
    }
    DrawGlyph(p, g, CentredSquare(area, area.height()), ink);
}

void PaintPopupCloseButton(QPainter& p, const QRect& area, int, bool pressed) {
    p.fillRect(area, Qt::black);
    if (pressed) p.fillRect(area.adjusted(0, 1, 0, 0), colour::kDanger);
    // The popups draw a one-pixel grey border; the button sits on its top edge.
    p.fillRect(QRect(area.left(), area.top(), area.width(), 1), colour::kPopupBorder);
    DrawGlyph(p, Glyph::Close, CentredSquare(area, area.height()), pressed ? Qt::white : colour::kPopupBorder);
}

void PaintLabelledButton(QPainter& p, const QRect& area, int label, bool pressed) {
    const LabelledButton& button = kLabelledButtons[label];
    const Look look = LookOf(button.tone, pressed);
    if (button.tone != Tone::Panel) p.fillRect(area, Qt::black);
    const double radius = std::min(6.0, area.height() / 2.0 - 1);
    FillRoundedRect(p, QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), radius, look.fill, look.border);

    const QFont font = UiFont(area.height() <= 22 ? 12 : 13, true);
    const QString text = QString::fromUtf8(button.text);
    const double textWidth = QFontMetricsF(font).horizontalAdvance(text);
    const double glyphSide = button.glyph ? area.height() * 0.62 : 0;
    const double gap = button.glyph ? 4 : 0;
    const double left = area.left() + (area.width() - glyphSide - gap - textWidth) / 2;
    const double shift = pressed ? 1 : 0;
    if (button.glyph) {
        const QRectF box(left, area.top() + (area.height() - glyphSide) / 2 + shift, glyphSide, glyphSide);
        DrawGlyph(p, *button.glyph, box, button.tone == Tone::Panel && !pressed ? colour::kAccent : look.ink);
    }
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(look.ink);
    p.drawText(QRectF(left + glyphSide + gap, area.top() + shift, textWidth + 2, area.height()),
               Qt::AlignLeft | Qt::AlignVCenter, text);
    p.restore();
}

void PaintTickBox(QPainter& p, const QRect& area, int, bool ticked) {
    p.fillRect(area, Qt::black);
    const QRectF box = QRectF(area).adjusted(2, 2, -2, -2);
    if (ticked) {
        FillRoundedRect(p, box, 4, colour::kAccent);
        DrawGlyph(p, Glyph::Check, box, colour::kAccentInk);
    } else {
        FillRoundedRect(p, box, 4, colour::kControl, QColor(110, 118, 128));
    }
}

void PaintSliderTrack(QPainter& p, const QRect& area, int step, bool) {
    p.fillRect(area, Qt::black);
    // Placed at (21, band top): the caps go at x 2, y 5 of it and the thumb centre of level L
    // lies over x 21 + step * L.
    FillRoundedRect(p, QRectF(2, 5, area.width() - 4, 8), 4, colour::kControl);
    const int levels = (area.width() - 44) / step + 1;
    for (int level = 0; level < levels; ++level)
        p.fillRect(QRect(21 + step * level, 16, 1, 3), colour::kControlBorder);
}

} // namespace skingen
