#pragma once
// What the map window tells the main window; known to the main window also when it is built
// without its map.

#include "platform/win_types.h"

namespace map {

// wParam the alert number (4: no Internet connection), lParam 0.
inline constexpr platform::UINT WM_SHOW_ALERT = 0x840;
// Posted when the map window has closed (0, 0): the main window deletes it.
inline constexpr platform::UINT WM_MAP_CLOSED = 0x850;

} // namespace map
