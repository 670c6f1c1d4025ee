#pragma once
// The programs' resources by numeric id: skin bitmaps (24-bit pictures drawn by the skin
// generator and embedded at build time), string tables (UTF-8) and dialog templates.

#include <QIcon>
#include <QImage>

#include "platform/dialog_template.h"

namespace resources {

// Ids this system chose where the programs' layout names none.
inline constexpr int kAppTitleString = 57344;             // "RDX4400 Viewer", also the profile name
inline constexpr int kEncryptedViewRefusalString = 115;   // a plain file in the encryption view mode

// Buttons of the settings (106) and save-settings (111) windows, black popups like the others
// (whose close buttons use 207 and 209). The pressed look of each is the next id.
inline constexpr int kBitmapSelectFolder = 330;           // 120 x 27, "폴더 선택"
inline constexpr int kBitmapCaptureAction = 332;          // 86 x 29, "캡쳐"
inline constexpr int kBitmapSaveAction = 334;             // 86 x 29, "저장"
inline constexpr int kBitmapExitAction = 336;             // 86 x 29, "나가기"
inline constexpr int kBitmapOkAction = 340;               // 86 x 29, "확인"
// Slider tracks, 20 pixels high, drawn at (21, band top); ticks mark the levels. Their caps and
// fill columns (8 pixels high, at band top + 5) and thumb are drawn on black, like the window.
inline constexpr int kBitmapGsensorSliderTrack = 338;     // 300 x 20, 9 levels 32 px apart
inline constexpr int kBitmapVolumeSliderTrack = 339;      // 290 x 20, 7 levels 41 px apart
inline constexpr int kBitmapSliderLeftCap = 344;          // 5 x 8
inline constexpr int kBitmapSliderFill = 345;             // 1 x 8
inline constexpr int kBitmapSliderRightCap = 346;         // 5 x 8
inline constexpr int kBitmapSliderThumb = 347;            // 33 x 20
inline constexpr int kBitmapTickBox = 342;                // 25 x 25 unticked; 343 ticked
inline constexpr int kBitmapTickBoxTicked = 343;

// The skin bitmap with this id, in QImage::Format_RGB32; a null image for an unknown id.
QImage Bitmap(int id);
bool HasBitmap(int id);

// The string-table text with this id; an empty text for an unknown id.
const char* String(int id);

// The dialog template with this id; nullptr for an unknown id.
const platform::DialogTemplate* FindDialog(int id);
// The dialog template with this id; an unknown id is a programming error and aborts.
const platform::DialogTemplate& Dialog(int id);

// The application icon (resource 128) in its large and small sizes; needs a QGuiApplication.
QIcon AppIcon();

} // namespace resources
