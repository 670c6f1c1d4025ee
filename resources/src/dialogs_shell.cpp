#include "dialog_groups.h"
#include "resources/resources.h"

namespace resources::dialogs {
namespace {

// The main window's buttons at their places after the splash; code sizes each bitmap button to
// its bitmap and moves the close button during the splash. Print and save have no place and
// stay hidden and disabled; the password pair is never shown.
constexpr ControlTemplate kMainWindowControls[] = {
    {1001, kBitmapButton, "min", 905, 1, 45, 25},
    {1002, kBitmapButton, "close", 950, 1, 45, 25},
    {1003, kBitmapButton, "print", 658, 47, 35, 36, kHiddenDisabled},
    {1004, kBitmapButton, "capture", 866, 47, 35, 36},
    {1005, kBitmapButton, "save", 699, 47, 35, 36, kHiddenDisabled},
    {1006, kBitmapButton, "setting", 953, 47, 35, 36},
    {1007, kBitmapButton, "prev file", 52, 531, 40, 40},
    {1008, kBitmapButton, "USB", 740, 47, 35, 36, kHidden},
    {1009, kBitmapButton, "pause", 129, 531, 40, 40},
    {1010, kBitmapButton, "stop", 206, 531, 40, 40},
    {1011, kBitmapButton, "play", 283, 531, 40, 40},
    {1012, kBitmapButton, "next file", 360, 531, 40, 40},
    {1013, kBitmapButton, "clockfix", 825, 47, 35, 36},
    {1014, kBitmapButton, "지도", 544, 719, 29, 29},
    {1015, kBitmapButton, "fast", 720, 470, 40, 40},
    {1016, kBitmapButton, "slow", 600, 470, 40, 40},
    {1049, kBitmapButton, "Info", 907, 47, 35, 36},
    {1072, kBitmapButton, "목록삭제", 804, 525, 74, 22},
    {1081, kPushButton, "F_Seek", 186, 503, 60, 20},
    {1082, kPushButton, "B_Seek", 120, 503, 60, 20},
    {1094, kPushButton, "FrameStep", 34, 503, 80, 20},
    {1241, kBitmapButton, "파일 열기", 881, 525, 105, 22},
    {1058, kEdit, "", 24, 756, 80, 20, kHidden | platform::kStylePassword},
    {1059, kPushButton, "password ok", 110, 756, 80, 20, kHidden},
};

constexpr DialogTemplate kShellDialogs[] = {
    {102, 1020, 780, "RDX4400_Viewer", "MS Shell Dlg", 9,
     platform::kDialogPopup | platform::kDialogAppWindow | platform::kDialogAcceptFiles, kMainWindowControls,
     &Bitmap},
};

} // namespace

std::span<const DialogTemplate> ShellDialogs() {
    return kShellDialogs;
}

} // namespace resources::dialogs
