#pragma once
// The 1020 x 780 main window skin (130), and the parts of it the splash shares.

class QPainter;
class QRect;

namespace skingen {

inline constexpr int kCaptionBand = 35;

void PaintWindowSkin(QPainter& p, const QRect& area, int arg, bool pressed);

// The top band that drags the window: flat, so that the caption buttons cut from the window
// also fit the splash.
void DrawCaptionBand(QPainter& p, int width);
// Product mark used in the splash and the title piece.
void DrawProductName(QPainter& p, const QRect& box, int pixels);

} // namespace skingen
