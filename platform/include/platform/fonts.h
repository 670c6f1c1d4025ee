#pragma once
// Windows font names mapped to installed fonts. "Tahoma", "MS Shell Dlg" and the Korean faces
// use DejaVu Sans with NanumGothic for Korean text. Sizes are points at 96 dots per inch, as the
// Windows programs were drawn.

#include <QFont>

namespace platform {

QFont WinFont(const char* face, double points, bool bold = false);
int PointsToPixels(double points);

} // namespace platform
