#pragma once
// Clockfix's own skin, apart from the viewer's: the close button (139) and the push buttons
// (140), each a strip of four frames (normal, hover, pressed, disabled) on RGB(255, 0, 255)
// where transparent, and the 420 x 260 background picture that Clockfix reads from "Image/popup copy.gif".

#include <QImage>
#include <QString>
#include <vector>

#include "skin_renderer.h"

namespace skingen {

inline constexpr int kClockfixCloseButtonId = 139;
inline constexpr int kClockfixPushButtonId = 140;

std::vector<RenderedBitmap> RenderClockfixBitmaps();
QImage RenderClockfixBackground();

// The bitmaps as a C++ source for Clockfix's resources (clockfix_res::skin_data).
bool WriteClockfixSkinSource(const QString& path, const std::vector<RenderedBitmap>& bitmaps);
// The background as a GIF89a file; the folder is made when missing.
bool WriteClockfixBackground(const QString& path, const QImage& background);

} // namespace skingen
