#pragma once
// Display enumeration and the desktop rectangle, from the screens Qt knows.

#include <QRect>
#include <optional>
#include <vector>

namespace platform {

struct DisplayMode {
    int width = 0;
    int height = 0;
};

// Displays in order; a display whose mode cannot be read is left out.
std::vector<DisplayMode> EnumDisplays();

// The desktop window's rectangle: the primary screen's geometry.
QRect DesktopRect();
// Tests replace the desktop (for example a desktop narrower than the main window).
void SetDesktopRectOverride(std::optional<QRect> rect);

} // namespace platform
