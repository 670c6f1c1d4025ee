#pragma once
// The three sliders of the settings window's Viewer Setting mode: where each lies, which level
// a pointer position gives, and how one is drawn. A slider's position is its thumb's offset in
// pixels, always level x step.

#include <QImage>
#include <QRect>
#include <array>
#include <cstdint>
#include <optional>

#include "settings/viewer_config.h"

class QPainter;

namespace settings {

struct SettingSlider {
    std::int32_t ViewerConfig::*level;   // the record field the slider sets
    int bandTop;                         // the thumb's band is 20 pixels from here
    int pickTop, pickBottom;             // a dragged pointer strictly between picks this slider
    int pointerLeft, pointerRight;       // pointer x that gives a level, both included
    int step;                            // pixels per level
    int rightCapAfter;                   // the right cap shows once the position is past this
    int trackBitmap;
};

inline constexpr int kSliderCount = 3;
enum SliderIndex { kGsensorSlider = 0, kSpeakerSlider = 1, kMicSlider = 2 };

extern const std::array<SettingSlider, kSliderCount> kSettingSliders;

// The thumb, 33 x 20 at (position + 26, band top).
QRect ThumbRect(const SettingSlider& slider, int position);

// The slider whose pick band holds y, if any.
std::optional<int> SliderAtY(int y);

// The level under pointer x: (x - 23) / step inside the pointer range, nothing outside it.
std::optional<std::int32_t> LevelAtX(const SettingSlider& slider, int x);

// The whole area a slider draws on: the track and the thumb at every position.
QRect SliderArea(const SettingSlider& slider);

struct SliderPieces {
    QImage leftCap, fill, rightCap, thumb;
};
SliderPieces LoadSliderPieces();

// Track, left cap, fill columns from x 28 up to the thumb, the right cap past its position,
// then the thumb.
void DrawSlider(QPainter& painter, const SettingSlider& slider, int position, const SliderPieces& pieces);

} // namespace settings
