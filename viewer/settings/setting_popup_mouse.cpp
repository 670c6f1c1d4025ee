// The settings window's mouse: slider drags in the Viewer Setting mode, the channel squares in
// the File Save mode.

#include "settings/setting_popup.h"

namespace settings {

namespace {

struct ChannelSquare {
    QRect area;
    bool ExportTarget::*flag;
};

constexpr ChannelSquare kChannelSquares[] = {
    {QRect(21, 149, 25, 25), &ExportTarget::front},
    {QRect(136, 149, 25, 25), &ExportTarget::rear},
};

} // namespace

void SettingPopup::OnLButtonDown(int x, int y) {
    if (mode_ == SettingMode::FileSave) {
        ToggleSquareAt(x, y);
        return;
    }
    if (mode_ != SettingMode::ViewerSetting) return;
    for (int i = 0; i < kSliderCount; ++i) {
        if (ThumbRect(kSettingSliders[i], sliderPositions_[i]).contains(x, y)) {
            dragging_ = true;
            SetCapture();
            return;
        }
    }
}

void SettingPopup::OnMouseMove(int x, int y) {
    if (!dragging_) return;
    // The slider under the pointer follows it, whichever thumb was grabbed.
    const std::optional<int> index = SliderAtY(y);
    if (!index) return;
    const SettingSlider& slider = kSettingSliders[*index];
    const std::optional<std::int32_t> level = LevelAtX(slider, x);
    if (!level) return;
    const int position = *level * slider.step;
    if (position == sliderPositions_[*index]) return;
    sliderPositions_[*index] = position;
    live_.*slider.level = *level;
    RedrawSlider(*index);
}

void SettingPopup::OnLButtonUp() {
    if (!dragging_) return;
    ReleaseCapture();
    dragging_ = false;
}

void SettingPopup::ToggleSquareAt(int x, int y) {
    for (const ChannelSquare& square : kChannelSquares) {
        if (!square.area.contains(x, y)) continue;
        bool& flag = targets_[1].*square.flag;
        flag = !flag;
        Redraw();
        return;
    }
}

} // namespace settings
