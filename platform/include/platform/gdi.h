#pragma once
// Text output as GDI places it: (x, y) is the top-left corner of the text, not its baseline.
// The painter's font and pen are used; the background is transparent unless given.

#include <QColor>
#include <QPainter>
#include <string_view>

namespace platform {

void TextOut(QPainter& painter, int x, int y, std::string_view utf8);
// Text on an opaque background filling exactly the text's cell.
void TextOutOpaque(QPainter& painter, int x, int y, std::string_view utf8, const QColor& background);

} // namespace platform
