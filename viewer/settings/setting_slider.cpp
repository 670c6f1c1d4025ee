#include "settings/setting_slider.h"

#include <QPainter>

#include "resources/resources.h"

namespace settings {

namespace {

constexpr int kTrackX = 21;
constexpr int kLeftCapX = 23;
constexpr int kCapOffsetY = 5;
constexpr int kFirstFillColumn = 28;
constexpr int kRightCapInset = 7;   // the right cap ends where the track's groove ends
constexpr int kThumbOffsetX = 26;
constexpr int kThumbWidth = 33;
constexpr int kBandHeight = 20;
constexpr int kLevelOriginX = 23;

} // namespace

const std::array<SettingSlider, kSliderCount> kSettingSliders{{
    {&ViewerConfig::gsensorLevel, 84, 70, 110, 24, 289, 32, 262, resources::kBitmapGsensorSliderTrack},
    {&ViewerConfig::speakerVolume, 154, 140, 180, 24, 279, 41, 212, resources::kBitmapVolumeSliderTrack},
    {&ViewerConfig::micVolume, 224, 210, 250, 24, 279, 41, 212, resources::kBitmapVolumeSliderTrack},
}};

QRect ThumbRect(const SettingSlider& slider, int position) {
    return QRect(position + kThumbOffsetX, slider.bandTop, kThumbWidth, kBandHeight);
}

std::optional<int> SliderAtY(int y) {
    for (int i = 0; i < kSliderCount; ++i)
        if (kSettingSliders[i].pickTop < y && y < kSettingSliders[i].pickBottom) return i;
    return std::nullopt;
}

std::optional<std::int32_t> LevelAtX(const SettingSlider& slider, int x) {
    if (x < slider.pointerLeft || x > slider.pointerRight) return std::nullopt;
    return (x - kLevelOriginX) / slider.step;
}

QRect SliderArea(const SettingSlider& slider) {
    const int trackWidth = resources::Bitmap(slider.trackBitmap).width();
    const QRect track(kTrackX, slider.bandTop, trackWidth, kBandHeight);
    const int lastPosition = (slider.pointerRight - kLevelOriginX) / slider.step * slider.step;
    return track | ThumbRect(slider, 0) | ThumbRect(slider, lastPosition);
}

SliderPieces LoadSliderPieces() {
    return {resources::Bitmap(resources::kBitmapSliderLeftCap), resources::Bitmap(resources::kBitmapSliderFill),
            resources::Bitmap(resources::kBitmapSliderRightCap), resources::Bitmap(resources::kBitmapSliderThumb)};
}

void DrawSlider(QPainter& painter, const SettingSlider& slider, int position, const SliderPieces& pieces) {
    const QImage track = resources::Bitmap(slider.trackBitmap);
    const int capY = slider.bandTop + kCapOffsetY;
    painter.drawImage(kTrackX, slider.bandTop, track);
    painter.drawImage(kLeftCapX, capY, pieces.leftCap);
    const int thumbLeft = ThumbRect(slider, position).left();
    for (int x = kFirstFillColumn; x < thumbLeft; ++x) painter.drawImage(x, capY, pieces.fill);
    if (position > slider.rightCapAfter)
        painter.drawImage(kTrackX + track.width() - kRightCapInset, capY, pieces.rightCap);
    painter.drawImage(ThumbRect(slider, position).topLeft(), pieces.thumb);
}

} // namespace settings
