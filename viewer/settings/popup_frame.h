#pragma once
// The look the viewer's black popups share: a black face inside a one-pixel grey border, a
// light-green title over a dark grey rule, and a close button at the top right.

#include <QColor>
#include <QPainter>
#include <QSize>
#include <string_view>

namespace platform {
class Dialog;
}

namespace settings {

inline const QColor kPopupBorderGrey(150, 150, 150);
inline const QColor kPopupTitleGreen(175, 245, 95);
inline const QColor kPopupRuleGrey(40, 40, 40);
inline const QColor kFolderBoxGrey(64, 64, 64);

// Black inside a one-pixel grey border, over the whole size.
void DrawPopupFace(QPainter& painter, QSize size);

// The title at (16, 9) in 16-point "Tahoma" and the two-pixel rule from (11, 39) to (361, 39).
void DrawPopupTitle(QPainter& painter, std::string_view title);

// The grey caption "Save Directory" at (21, 53) over a grey box from (21, 79) to (227, 106) that
// shows the folder in white at (30, textY), cut as ShownFolder cuts it and kept inside the box.
void DrawFolderBox(QPainter& painter, std::string_view folder, int textY);

// Gives the dialog's close button its normal and pressed bitmaps (207, 209) and places it
// 45 x 25 at (x, 0).
void PlaceCloseButton(platform::Dialog& dialog, int buttonId, int x);

} // namespace settings
