#pragma once
// Ids of the main window: its template, controls, skin bitmaps, timer and private messages.

#include "platform/win_types.h"
#include "settings/setting_messages.h"

namespace shell {

inline constexpr int kMainTemplate = 102;
inline constexpr int kMainWidth = 1020;
inline constexpr int kMainHeight = 780;
inline constexpr int kSplashWidth = 440;
inline constexpr int kSplashHeight = 300;

// Controls.
inline constexpr int IDC_MIN = 1001;
inline constexpr int IDC_CLOSE = 1002;
inline constexpr int IDC_PRINT = 1003;
inline constexpr int IDC_CAPTURE = 1004;
inline constexpr int IDC_SAVE = 1005;
inline constexpr int IDC_SETTING = 1006;
inline constexpr int IDC_PREV_FILE = 1007;
inline constexpr int IDC_USB = 1008;
inline constexpr int IDC_PAUSE = 1009;
inline constexpr int IDC_STOP = 1010;
inline constexpr int IDC_PLAY = 1011;
inline constexpr int IDC_NEXT_FILE = 1012;
inline constexpr int IDC_CLOCKFIX = 1013;
inline constexpr int IDC_MAP = 1014;
inline constexpr int IDC_FAST = 1015;
inline constexpr int IDC_SLOW = 1016;
inline constexpr int IDC_INFO = 1049;
inline constexpr int IDC_DELETE_LIST = 1072;
inline constexpr int IDC_F_SEEK = 1081;
inline constexpr int IDC_B_SEEK = 1082;
inline constexpr int IDC_FRAME_STEP = 1094;
inline constexpr int IDC_OPEN_FILE = 1241;

// Skin bitmaps.
inline constexpr int IDB_SKIN = 130;
inline constexpr int IDB_SPEED_LABEL_BG = 320;
inline constexpr int IDB_KIND_INFINITY = 195;
inline constexpr int IDB_KIND_EVENT = 196;
inline constexpr int IDB_KIND_SPARE = 197;
inline constexpr int IDB_KIND_PARKING = 302;
inline constexpr int IDB_SCROLL_UP = 205;
inline constexpr int IDB_SCROLL_DOWN = 206;
inline constexpr int IDB_SPEED_THUMB = 194;
inline constexpr int IDB_SPLASH = 322;
inline constexpr int IDB_SPLASH_FRAME_FIRST = 131;
inline constexpr int kSplashFrameCount = 9;
inline constexpr int IDB_CHANNEL_OK = 293;

// Strings.
inline constexpr int IDS_NOTICE = 120;

// From the settings window's file-save mode: export the current clip (wParam front, lParam rear).
using settings::WM_SAVE_CLIP;

// Timer of the map page in one-channel mode.
inline constexpr platform::UINT kMapTimer = 100;

} // namespace shell
