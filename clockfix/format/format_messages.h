#pragma once
// The messages the format worker posts to the progress window.

#include "platform/win_types.h"

namespace clockfix {

inline constexpr platform::UINT WM_FORMAT_PROGRESS = 0x3401;   // wParam: percent done
inline constexpr platform::UINT WM_FORMAT_FAILED = 0x3402;     // the format failed or cannot be done
inline constexpr platform::UINT WM_FORMAT_DONE = 0x3403;       // FAT32, labelled, finished

} // namespace clockfix
