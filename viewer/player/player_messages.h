#pragma once
// Messages the player bridge sends to the main window. Both are sent without waiting
// (SendNotifyMessage) from the library's thread; the main window then reads the adapter on its own
// thread. The library's own messages (0x600 ... 0x760 and WM_PLAYER_POPUP) are in
// contract/vexplayer_contract.h.

#include "platform/win_types.h"

namespace player {

// wParam 0, lParam 0: a new frame; read positionSeconds and SnapshotUserData().
inline constexpr platform::UINT WM_PLAYER_USERDATA = 0x800;
// wParam 0, lParam 1: the clip ended at its last user-data entry.
inline constexpr platform::UINT WM_PLAYER_CLIPEND = 0x770;
inline constexpr platform::LPARAM kClipEndedAtLastEntry = 1;
// From a video popup's close button to the main window: wParam 1 or 2 (the channel), lParam 0.
inline constexpr platform::UINT WM_POPUP_CLOSED = 0x780;

} // namespace player
