#pragma once
// The main window's areas that drawing restores from the skin and invalidates. Every area is a
// PixelRect: right and bottom lie just outside it (x + width, y + height), as in every
// rectangle of the shell; ToQRect is the one conversion to Qt's rectangles.

#include <QRect>

#include "shell/model/pixel_rect.h"
#include "shell/model/play_list.h"

namespace shell {

inline QRect ToQRect(const PixelRect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

// The play list.
inline constexpr PixelRect kListHeaderArea{604, 550, 988, 577};
inline constexpr PixelRect kListRestoreArea{604, 577, 1001, 753};     // restored after adding
inline constexpr PixelRect kListArea = PlayList::kListArea;            // rows and scroll bar
inline constexpr PixelRect kListRowsArea{604, 577, 971, 753};
inline constexpr PixelRect kListScrollColumn{971, 577, 986, 753};
// The title line above the channel 1 video: the area restored after adding recordings, and the
// wider one of the list's full redraw.
inline constexpr PixelRect kTitleAreaAfterAdd{25, 55, 290, 80};
inline constexpr PixelRect kTitleArea{25, 55, 315, 80};

// The speed label and slider.
inline constexpr PixelRect kSpeedLabelArea{660, 480, 700, 500};
inline constexpr PixelRect kSpeedSliderArea{628, 480, 771, 510};

inline constexpr PixelRect kChannel2Area{514, 88, 994, 448};

} // namespace shell
