#pragma once
// The 440 x 300 splash (322) and the nine spinner frames (131..139) shown at (199, 198) on it.

class QPainter;
class QRect;

namespace skingen {

void PaintSplash(QPainter& p, const QRect& area, int arg, bool pressed);
// arg: frame 0..8; the lit dot goes round clockwise.
void PaintSpinnerFrame(QPainter& p, const QRect& area, int frame, bool pressed);

} // namespace skingen
