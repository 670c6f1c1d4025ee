#pragma once
// Reading the drawn controls' pictures in tests.

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>

#include "telemetry/draw_ctrl_base.h"

namespace telemetry::testing {

// Never drawn by the controls: shows where Draw left the picture untouched.
inline const QColor kUntouched(255, 0, 255);

// The control's Draw into a fresh picture of the given size (the bitmap's when empty).
inline QImage Render(CDrawCtrlBase& control, QSize size = {}) {
    QImage picture(size.isEmpty() ? control.Bitmap().size() : size, QImage::Format_RGB32);
    picture.fill(kUntouched);
    QPainter painter(&picture);
    control.Draw(painter);
    return picture;
}

// Whether picture shows source's sourceRect with its top-left corner at `at`.
inline bool ShowsRegion(const QImage& picture, QPoint at, const QImage& source, QRect sourceRect) {
    for (int y = 0; y < sourceRect.height(); ++y)
        for (int x = 0; x < sourceRect.width(); ++x)
            if (picture.pixel(at.x() + x, at.y() + y) != source.pixel(sourceRect.x() + x, sourceRect.y() + y))
                return false;
    return true;
}

inline bool ShowsImage(const QImage& picture, QPoint at, const QImage& source) {
    return ShowsRegion(picture, at, source, source.rect());
}

inline int CountColour(const QImage& picture, QRect area, QColor colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (picture.pixel(x, y) == colour.rgb()) ++count;
    return count;
}

// Pixels of anti-aliased white text on a dark ground: light enough to be part of a glyph.
inline int CountLight(const QImage& picture, QRect area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(picture.pixel(x, y)) > 160) ++count;
    return count;
}

} // namespace telemetry::testing
