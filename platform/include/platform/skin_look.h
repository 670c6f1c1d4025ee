#pragma once
// The look of the standard controls (message boxes, folder and file choosers, lists, tabs, edit
// boxes, radio buttons) beside the dark, bitmap-drawn skin: one style and one dark palette for
// the whole application, so that no standard window shows the light default look.

#include <QPalette>

class QApplication;

namespace platform {

QPalette SkinPalette();

// Gives the application the style and palette; every window made afterwards takes them.
void ApplySkinLook(QApplication& app);

} // namespace platform
