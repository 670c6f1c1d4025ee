#include "dialog_groups.h"
#include "resources/resources.h"

namespace resources::dialogs {
namespace {

// Settings window: Arrange() shows, hides and places the controls per mode; the places below
// are those of the Viewer Setting mode (the radio groups sit under their drawn labels at
// y 281, 351 and 421) and of the capture mode for the capture-source pair.
constexpr ControlTemplate kSettingsControls[] = {
    {1045, kBitmapButton, "close", 320, 0, 45, 25},
    {1046, kBitmapButton, "sel dir", 231, 79, 120, 27},
    {1047, kBitmapButton, "capture", 88, 197, 86, 29},
    {1048, kBitmapButton, "exit", 198, 197, 86, 29},
    {1054, kEdit, "", 26, 294, 245, 18},
    {1078, kRadio, "전방단독", 30, 321, 120, 20, kGroup},
    {1079, kRadio, "전후방", 180, 321, 120, 20},
    {1080, kRadio, "전방", 30, 391, 120, 20, kGroup},
    {1081, kRadio, "후방", 180, 391, 120, 20},
    {1082, kRadio, "주행모드", 30, 461, 120, 20, kGroup},
    {1083, kRadio, "차량정지모드", 180, 461, 120, 20},
    // Capture source 0 (the front picture) beside the drawn "Front", 1 beside "Rear".
    {1084, kRadio, "", 26, 151, 20, 20, kGroup},
    {1085, kRadio, "", 141, 151, 20, 20},
    {1241, kRadio, "한국어", 30, 560, 90, 20, kGroup | kHiddenDisabled},
    {1242, kRadio, "English", 130, 560, 90, 20, kHiddenDisabled},
    {1243, kRadio, "日本語", 230, 560, 90, 20, kHiddenDisabled},
};

constexpr ControlTemplate kInfoControls[] = {{1050, kBitmapButton, "close", 320, 0, 45, 25}};

constexpr ControlTemplate kSaveSettingsControls[] = {
    {1062, kBitmapButton, "close", 320, 0, 45, 25},
    {1063, kBitmapButton, "seldir", 231, 79, 120, 27},
    {1060, kBitmapButton, "ok", 88, 201, 86, 29},
    {1061, kBitmapButton, "exit", 198, 201, 86, 29},
};

// Channel dialog: the view-mode group, its radios, the "P/W" label and the password box are
// never shown; they share the frame with the channel group.
constexpr ControlTemplate kChannelControls[] = {
    {kUnnumbered, kPicture, "", 65, 10, 170, 40, platform::kStyleNone, 321},
    {1236, kGroupBox, "", 10, 56, 280, 70},
    {1126, kGroupBox, "1. Channel Selection", 20, 62, 260, 56},
    {1092, kRadio, "1 Channel", 38, 86, 100, 20, kGroup},
    {1093, kRadio, "2 Channel", 160, 86, 100, 20},
    {1139, kGroupBox, "2. Encryption File View Mode", 20, 62, 260, 56, kHidden},
    {1239, kRadio, "No", 30, 86, 50, 20, kGroup | kHidden},
    {1238, kRadio, "Yes  ->", 84, 86, 70, 20, kHidden},
    {kUnnumbered, kLabel, "P/W", 160, 88, 28, 16, kHidden},
    {1138, kEdit, "", 192, 85, 80, 20, kHidden | platform::kStylePassword},
    {kIdOk, kBitmapButton, "확인", 107, 136, 86, 29, platform::kStyleDefault},
    {kIdCancel, kPushButton, "취소", 200, 138, 80, 24, kHidden},
};

constexpr DialogTemplate kSettingsDialogs[] = {
    {106, 377, 600, "", "MS Shell Dlg", 9, platform::kDialogPopup, kSettingsControls, &Bitmap},
    {107, 372, 254, "", "MS Shell Dlg", 9, platform::kDialogPopup, kInfoControls, &Bitmap},
    {111, 377, 254, "", "MS Shell Dlg", 9, platform::kDialogPopup, kSaveSettingsControls, &Bitmap},
    {113, 272, 194, "", "MS Shell Dlg", 9, platform::kDialogPopup, {}, &Bitmap},
    {276, 300, 176, "RDX4400 Viewer", "MS Shell Dlg", 9, platform::kDialogCaption, kChannelControls, &Bitmap},
};

} // namespace

std::span<const DialogTemplate> SettingsDialogs() {
    return kSettingsDialogs;
}

} // namespace resources::dialogs
