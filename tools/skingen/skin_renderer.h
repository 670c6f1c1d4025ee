#pragma once
// Draws every row of the skin table, and the application icon at its sizes.

#include <QImage>
#include <vector>

namespace skingen {

struct RenderedBitmap {
    int id;
    QImage image;   // Format_RGB32
};

struct RenderedIcon {
    int size;
    QImage image;   // Format_ARGB32, transparent corners
};

std::vector<RenderedBitmap> RenderSkin();
std::vector<RenderedIcon> RenderAppIcons();

} // namespace skingen
