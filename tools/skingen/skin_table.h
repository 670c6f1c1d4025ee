#pragma once
// The skin as data: one row per bitmap id with its size, the picture it is drawn over and the
// painter that draws it. Buttons and telemetry pieces that sit on the window or the splash are
// drawn over the matching cut of that picture, so they blend with it wherever code puts them.

#include <span>

class QPainter;
class QRect;

namespace skingen {

enum class Backdrop { None, Window, Splash };

// Paints one bitmap into `area` (the whole image); `arg` selects the glyph, digit or frame.
using PaintFn = void (*)(QPainter& p, const QRect& area, int arg, bool pressed);

struct SkinBitmap {
    int id;
    int width;
    int height;
    Backdrop backdrop;
    int backdropX;   // top-left of the cut, in the backdrop's pixels
    int backdropY;
    PaintFn paint;
    int arg;
    bool pressed;
};

std::span<const SkinBitmap> SkinBitmaps();

// The application icon is drawn at these sizes, with transparent corners.
inline constexpr int kAppIconId = 128;
inline constexpr int kAppIconSizes[] = {32, 16};

// Bitmap ids of the window skin and the splash: the backdrops of the other pieces.
inline constexpr int kWindowSkinId = 130;
inline constexpr int kSplashId = 322;

} // namespace skingen
