#pragma once
// Text on an opaque background, placed by its top-left corner as GDI does, that reports the cell
// it covered (the texts controls write below their bitmap must be erasable again).

#include <QColor>
#include <QRect>
#include <string_view>

class QPainter;

namespace telemetry {

// The painter's font and pen; returns the cell in the painter's coordinates.
QRect OpaqueTextOut(QPainter& painter, QPoint at, std::string_view utf8, const QColor& background);

} // namespace telemetry
