#pragma once
// Numbered dialog templates: the data a dialog window is built from. Geometry is in pixels of the
// dialog's client area. Captions are UTF-8. The resources library holds the templates of both
// programs as constant tables.

#include <QImage>
#include <cstdint>
#include <span>

namespace platform {

enum class ControlKind : std::uint8_t {
    PushButton,
    BitmapButton,  // owner-drawn from a normal and a pressed bitmap (given later by code)
    RadioButton,
    CheckBox,
    Label,         // static text
    Picture,       // static bitmap; ControlTemplate::bitmap names it
    GroupBox,
    Edit,
    TabControl,
    CheckList,     // list of lines with a tick box each
    ProgressBar,   // a bar filled from the left, range 0..100 until code sets another
    DropDownList,  // closed list of entries to choose one from, without typing
};

enum ControlStyle : std::uint32_t {
    kStyleNone = 0,
    kStyleHidden = 1u << 0,
    kStyleDisabled = 1u << 1,
    kStyleGroup = 1u << 2,     // starts a new radio group
    kStylePassword = 1u << 3,
    kStyleReadOnly = 1u << 4,
    kStyleDefault = 1u << 5,   // the default push button
    kStyleNotify = 1u << 6,    // a list that also reports selection changes
};

struct ControlTemplate {
    int id;                 // control id; -1 for unnumbered statics
    ControlKind kind;
    const char* caption;    // UTF-8, may be empty
    int x, y, width, height;
    std::uint32_t style = kStyleNone;
    int bitmap = 0;         // Picture: skin bitmap id
};

enum DialogStyle : std::uint32_t {
    kDialogNone = 0,
    kDialogPopup = 1u << 0,       // top-level window without caption or border
    kDialogChild = 1u << 1,       // child window of its parent (pages)
    kDialogAppWindow = 1u << 2,   // has its own taskbar button
    kDialogAcceptFiles = 1u << 3, // accepts files dropped from a file manager
    kDialogCaption = 1u << 4,     // framed window with a title bar and system menu
};

struct DialogTemplate {
    int id;
    int width, height;
    const char* title;      // UTF-8 window text
    const char* fontFace;   // Windows font name, mapped by platform::WinFont
    int fontPoints;
    std::uint32_t style;
    std::span<const ControlTemplate> controls;
    QImage (*loadBitmap)(int id) = nullptr;   // resolves Picture controls' bitmaps
};

} // namespace platform
