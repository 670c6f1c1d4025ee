#pragma once
// Vector glyphs of the skin's buttons, drawn to fit a square box in one ink colour.

#include <QColor>
#include <QRectF>

class QPainter;

namespace skingen {

enum class Glyph {
    Play, Pause, Stop, Previous, Next, Fast, Slow,
    Camera, Gear, Info, Clock, MapPin, Usb,
    Minimise, Close, Folder, Trash, Check,
};

void DrawGlyph(QPainter& p, Glyph glyph, const QRectF& box, const QColor& ink);

} // namespace skingen
