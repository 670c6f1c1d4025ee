#pragma once
// Clockfix's own resources by numeric id, apart from the viewer's (ids such as 102, 103, 121 and
// 139 mean other things there): its string table, its dialog templates (100 About, 102 main
// window, 158 progress window) and its skin bitmaps (139 close button, 140 push buttons, each a
// strip of four frames: normal, hover, pressed, disabled; RGB(255, 0, 255) where transparent).

#include <QImage>

#include "platform/dialog_template.h"
#include "platform/win_types.h"

namespace clockfix_res {

inline constexpr int kAboutDialog = 100;
inline constexpr int kMainDialog = 102;
inline constexpr int kProgressDialog = 158;

inline constexpr int kCloseButtonBitmap = 139;
inline constexpr int kPushButtonBitmap = 140;
inline constexpr int kBitmapStates = 4;

// The picture the main window is painted with, in the picture folder beside the program.
inline constexpr const char* kBackgroundPicture = "popup copy.gif";

// The string-table text with this id (UTF-8); an empty text for an unknown id.
const char* String(int id);

// The dialog template with this id; nullptr for an unknown id.
const platform::DialogTemplate* FindDialog(int id);
// The dialog template with this id; an unknown id is a programming error and aborts.
const platform::DialogTemplate& Dialog(int id);

// The skin bitmap with this id in QImage::Format_RGB32; a null image for an unknown id.
QImage Bitmap(int id);

} // namespace clockfix_res
