#pragma once
// The application icon (128): a dark tile with a lime lens and a play mark.

class QPainter;
class QRect;

namespace skingen {

// Draws the icon into `box` over whatever is there (corners stay untouched).
void PaintAppIconAt(QPainter& p, const QRect& box);

} // namespace skingen
