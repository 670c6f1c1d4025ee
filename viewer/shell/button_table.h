#pragma once
// The main window's buttons: bitmaps and places in client pixels.

#include <array>

#include "shell/main_window_ids.h"

namespace shell {

struct ButtonPlace {
    int id;
    int normalBitmap;   // 0: a plain push button
    int pressedBitmap;  // 0: none
    int x, y, width, height;
    bool hidden;
};

// The close button sits at the splash's right edge until the splash ends.
inline constexpr ButtonPlace kCloseOnSplash{IDC_CLOSE, 141, 142, 390, 0, 45, 25, false};

inline constexpr std::array<ButtonPlace, 20> kButtonTable{{
    {IDC_MIN, 143, 144, 905, 1, 45, 25, false},
    {IDC_CLOSE, 141, 142, 950, 1, 45, 25, false},
    {IDC_CAPTURE, 149, 151, 866, 47, 35, 36, false},
    {IDC_CLOCKFIX, 313, 314, 825, 47, 35, 36, false},
    {IDC_INFO, 235, 237, 907, 47, 35, 36, false},
    {IDC_USB, 294, 0, 740, 47, 35, 36, true},
    {IDC_SETTING, 157, 159, 953, 47, 35, 36, false},
    {IDC_PREV_FILE, 160, 162, 52, 531, 40, 40, false},
    {IDC_PAUSE, 166, 168, 129, 531, 40, 40, false},
    // Stop, play and next: button i has bitmaps 169 + 3i, 171 + 3i at x = 206 + 77i.
    {IDC_STOP, 169, 171, 206, 531, 40, 40, false},
    {IDC_PLAY, 172, 174, 283, 531, 40, 40, false},
    {IDC_NEXT_FILE, 175, 177, 360, 531, 40, 40, false},
    {IDC_OPEN_FILE, 178, 180, 881, 525, 105, 22, false},
    {IDC_MAP, 188, 190, 544, 719, 29, 29, false},
    {IDC_FAST, 315, 316, 720, 470, 40, 40, false},
    {IDC_SLOW, 317, 318, 600, 470, 40, 40, false},
    {IDC_DELETE_LIST, 264, 265, 804, 525, 74, 22, false},
    {IDC_F_SEEK, 0, 0, 186, 503, 60, 20, false},
    {IDC_B_SEEK, 0, 0, 120, 503, 60, 20, false},
    {IDC_FRAME_STEP, 0, 0, 34, 503, 80, 20, false},
}};
// Print (1003) and save (1005) are not in the table: they keep the template's hidden, disabled
// state and get no bitmaps and no place.

} // namespace shell
