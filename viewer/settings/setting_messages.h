#pragma once
// Private messages of the settings windows.

#include "platform/win_types.h"

namespace settings {

// To the settings window, from the save-settings window's ok (wParam 0, lParam 0): write the
// recorder setup file into the save-settings folder. Sent, so the sender knows it is done.
inline constexpr platform::UINT WM_WRITE_SETUP = 0x790;

// To the main window, from the file-save mode's action: export the current clip; wParam and
// lParam are 1 or 0 for the front and the rear channel.
inline constexpr platform::UINT WM_SAVE_CLIP = 0x830;

} // namespace settings
