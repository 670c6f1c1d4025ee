#include "dialog_groups.h"
#include "resources/resources.h"

namespace resources::dialogs {
namespace {

// Black frames with a close button at the top right; code places the button again when it
// loads the button's bitmaps (207, 209).
constexpr ControlTemplate kVideoPopupLeftControls[] = {{1056, kBitmapButton, "close", 598, 0, 45, 25}};
constexpr ControlTemplate kVideoPopupRightControls[] = {{1055, kBitmapButton, "close", 598, 0, 45, 25}};
constexpr ControlTemplate kMapWindowControls[] = {{1057, kBitmapButton, "close", 468, 0, 45, 25}};

constexpr DialogTemplate kPopupDialogs[] = {
    {108, 650, 520, "", "MS Shell Dlg", 9, platform::kDialogPopup, kVideoPopupLeftControls, &Bitmap},
    {109, 650, 520, "", "MS Shell Dlg", 9, platform::kDialogPopup, kVideoPopupRightControls, &Bitmap},
    {110, 520, 470, "", "MS Shell Dlg", 9, platform::kDialogPopup, kMapWindowControls, &Bitmap},
};

} // namespace

std::span<const DialogTemplate> PopupDialogs() {
    return kPopupDialogs;
}

} // namespace resources::dialogs
