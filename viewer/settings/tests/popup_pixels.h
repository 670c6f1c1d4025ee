#pragma once
// Reading the popups' pictures in tests: where pixels of a colour lie.

#include <QImage>
#include <QRect>
#include <functional>

namespace settings::test {

// The smallest rectangle holding every pixel of area that matches; empty when none does.
inline QRect BoundsOf(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& matches) {
    QRect bounds;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            if (matches(image.pixel(x, y))) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

inline bool IsWhiteInk(QRgb p) { return qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) > 200; }

// Ink of the light-green titles on black, edges included.
inline bool IsTitleInk(QRgb p) { return qGreen(p) > 60 && qGreen(p) > qRed(p) && qRed(p) > qBlue(p); }

// Ink of the grey captions on black, edges included.
inline bool IsGreyInk(QRgb p) { return qRed(p) > 40 && qRed(p) == qGreen(p) && qGreen(p) == qBlue(p); }

inline std::function<bool(QRgb)> Exactly(QRgb colour) {
    return [colour](QRgb p) { return (p & 0xFFFFFF) == (colour & 0xFFFFFF); };
}

// Inside the one-pixel border.
inline QRect Inside(const QImage& image) { return image.rect().adjusted(1, 1, -1, -1); }

} // namespace settings::test
