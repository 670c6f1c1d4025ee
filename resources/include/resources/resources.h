#pragma once
// The programs' resources by numeric id: skin bitmaps (24-bit pictures drawn by the skin
// generator and embedded at build time), string tables (UTF-8) and dialog templates.

#include <QIcon>
#include <QImage>

#include "platform/dialog_template.h"

namespace resources {

// The skin bitmap with this id, in QImage::Format_RGB32; a null image for an unknown id.
QImage Bitmap(int id);
bool HasBitmap(int id);

// The string-table text with this id; an empty text for an unknown id.
const char* String(int id);

// The dialog template with this id; nullptr for an unknown id.
const platform::DialogTemplate* FindDialog(int id);
// The dialog template with this id; an unknown id is a programming error and aborts.
const platform::DialogTemplate& Dialog(int id);

// The application icon (resource 128) in its large and small sizes.
QIcon AppIcon();

} // namespace resources
