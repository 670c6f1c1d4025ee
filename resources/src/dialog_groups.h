#pragma once
// The dialog templates, grouped by the part of the viewer that builds windows from them.

#include <span>

#include "platform/dialog_template.h"

namespace resources::dialogs {

std::span<const platform::DialogTemplate> ShellDialogs();      // 102
std::span<const platform::DialogTemplate> SettingsDialogs();   // 106, 107, 111, 113, 276
std::span<const platform::DialogTemplate> PopupDialogs();      // 108, 109, 110
std::span<const platform::DialogTemplate> CatalogueDialogs();  // 296, 297, 298
std::span<const platform::DialogTemplate> UsbDialogs();        // 285 to 292

// Shorthands for the tables.
using platform::ControlTemplate;
using platform::DialogTemplate;
inline constexpr auto kBitmapButton = platform::ControlKind::BitmapButton;
inline constexpr auto kPushButton = platform::ControlKind::PushButton;
inline constexpr auto kRadio = platform::ControlKind::RadioButton;
inline constexpr auto kCheckBox = platform::ControlKind::CheckBox;
inline constexpr auto kLabel = platform::ControlKind::Label;
inline constexpr auto kPicture = platform::ControlKind::Picture;
inline constexpr auto kGroupBox = platform::ControlKind::GroupBox;
inline constexpr auto kEdit = platform::ControlKind::Edit;
inline constexpr auto kTab = platform::ControlKind::TabControl;
inline constexpr auto kCheckList = platform::ControlKind::CheckList;

inline constexpr std::uint32_t kHidden = platform::kStyleHidden;
inline constexpr std::uint32_t kHiddenDisabled = platform::kStyleHidden | platform::kStyleDisabled;
inline constexpr std::uint32_t kGroup = platform::kStyleGroup;

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kUnnumbered = -1;

} // namespace resources::dialogs
