#include "platform/control_class.h"

namespace platform {
namespace {

struct KindClass {
    ControlKind kind;
    const char* className;
    std::uint32_t style;
};

constexpr KindClass kKindClasses[] = {
    {ControlKind::PushButton, "Button", BS_PUSHBUTTON},
    {ControlKind::BitmapButton, "Button", BS_OWNERDRAW},
    {ControlKind::RadioButton, "Button", BS_AUTORADIOBUTTON},
    {ControlKind::CheckBox, "Button", BS_AUTOCHECKBOX},
    {ControlKind::Label, "Static", SS_LEFT},
    {ControlKind::Picture, "Static", SS_BITMAP_FRAME},
    {ControlKind::GroupBox, "Button", BS_GROUPBOX},
    {ControlKind::Edit, "Edit", 0},
    {ControlKind::TabControl, "SysTabControl32", 0},
    {ControlKind::CheckList, "ListBox", 0},
    {ControlKind::DropDownList, "ComboBox", CBS_DROPDOWNLIST},
    {ControlKind::ProgressBar, "msctls_progress32", 0},
};

const KindClass* Find(ControlKind kind) {
    for (const KindClass& row : kKindClasses)
        if (row.kind == kind) return &row;
    return nullptr;
}

} // namespace

const char* WindowClassName(ControlKind kind) {
    const KindClass* row = Find(kind);
    return row ? row->className : "";
}

std::uint32_t WindowStyle(const ControlTemplate& control) {
    const KindClass* row = Find(control.kind);
    std::uint32_t style = WS_CHILD | (row ? row->style : 0);
    if (control.kind == ControlKind::PushButton && (control.style & kStyleDefault)) style = WS_CHILD | BS_DEFPUSHBUTTON;
    if (control.kind == ControlKind::Edit) {
        if (control.style & kStylePassword) style |= ES_PASSWORD;
        if (control.style & kStyleReadOnly) style |= ES_READONLY;
    }
    if (control.kind == ControlKind::CheckList && (control.style & kStyleNotify)) style |= LBS_NOTIFY;
    if (!(control.style & kStyleHidden)) style |= WS_VISIBLE;
    if (control.style & kStyleDisabled) style |= WS_DISABLED;
    if (control.style & kStyleGroup) style |= WS_GROUP;
    return style;
}

} // namespace platform
