#pragma once
// Messages of the catalogue's windows and of clip export to the main window, on the
// user-interface thread with SendMessage; the main window handles them before the call returns.

#include "platform/win_types.h"

namespace catalogue {

// wParam: the number n of selected paths; lParam: kFilesAddPaths. The owner reads
// FilesOpenPopup::SelectionKind() and SelectedPath(0 .. n-1) while handling it.
inline constexpr platform::UINT WM_FILES_ADD = 0x820;
inline constexpr platform::LPARAM kFilesAddPaths = 2;

// wParam 1, lParam 1: the window ended itself through its close button and is hidden; the owner
// may destroy it while handling the message (the window touches nothing of itself afterwards).
inline constexpr platform::UINT WM_FILES_POPUP_CLOSED = 0x860;
inline constexpr platform::WPARAM kFilesPopupClosedWParam = 1;
inline constexpr platform::LPARAM kFilesPopupClosedLParam = 1;

} // namespace catalogue
