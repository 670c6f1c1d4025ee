#pragma once
// The Windows window class and style a template control would have: the class name ("Button",
// "Static", "Edit", ...), the kind's own style bits (BS_*, SS_*, ES_*, ...) and the window bits
// (WS_CHILD, WS_VISIBLE, WS_DISABLED, WS_GROUP). Code that picks a replacement by class and style,
// as the skinned windows do, reads them from here.

#include <cstdint>

#include "platform/dialog_template.h"

namespace platform {

inline constexpr std::uint32_t WS_CHILD = 0x40000000;
inline constexpr std::uint32_t WS_VISIBLE = 0x10000000;
inline constexpr std::uint32_t WS_DISABLED = 0x08000000;
inline constexpr std::uint32_t WS_GROUP = 0x00020000;
inline constexpr std::uint32_t WS_TABSTOP = 0x00010000;

inline constexpr std::uint32_t BS_PUSHBUTTON = 0;
inline constexpr std::uint32_t BS_DEFPUSHBUTTON = 1;
inline constexpr std::uint32_t BS_AUTOCHECKBOX = 3;
inline constexpr std::uint32_t BS_GROUPBOX = 7;
inline constexpr std::uint32_t BS_AUTORADIOBUTTON = 9;
inline constexpr std::uint32_t BS_OWNERDRAW = 11;
inline constexpr std::uint32_t SS_LEFT = 0;
inline constexpr std::uint32_t SS_BITMAP_FRAME = 7;   // a picture: the low three bits all set
inline constexpr std::uint32_t ES_PASSWORD = 0x0020;
inline constexpr std::uint32_t ES_READONLY = 0x0800;
inline constexpr std::uint32_t LBS_NOTIFY = 0x0001;
inline constexpr std::uint32_t CBS_DROPDOWNLIST = 0x0003;

// The Windows class name of a control kind.
const char* WindowClassName(ControlKind kind);

// The control's style as its template gives it: the kind's own bits and WS_CHILD, WS_VISIBLE
// unless hidden, WS_DISABLED when disabled, WS_GROUP when it starts a group.
std::uint32_t WindowStyle(const ControlTemplate& control);

} // namespace platform
