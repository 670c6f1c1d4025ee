// The settings window's picture: drawn into its back buffer, which every paint copies in one
// step.

#include <QPainter>

#include "platform/fonts.h"
#include "platform/gdi.h"
#include "resources/resources.h"
#include "settings/popup_frame.h"
#include "settings/setting_popup.h"

namespace settings {

namespace {

// By mode: capture, file save, viewer setting.
constexpr const char* kTitles[] = {"캡쳐", "파일 저장", "설정"};   // capture, file save, settings
constexpr const char* kExportCaptions[] = {"Capture Screen", "Record Screen"};

constexpr int kFolderTextY = 79;
constexpr int kExportTextPoints = 14;
constexpr QPoint kExportCaptionAt(21, 121);
constexpr QPoint kFrontAt(54, 149);
constexpr QPoint kRearAt(184, 149);
constexpr QPoint kFrontSquareAt(21, 149);
constexpr QPoint kRearSquareAt(136, 149);

struct SettingLabel {
    const char* text;
    int y;
};

// At x 21 above the control each names.
constexpr int kLabelX = 21;
constexpr int kLabelPoints = 16;
constexpr SettingLabel kSettingLabels[] = {
    {"G-센서 컨트롤", 51},      // G-sensor control
    {"스피커 볼륨 설정", 121},   // speaker volume setting
    {"마이크 볼륨 설정", 191},   // microphone volume setting
    {"채널 선택", 281},          // channel selection
    {"TV Out 설정", 351},        // TV-out setting
    {"동작모드 설정", 421},      // operation mode setting
};

} // namespace

void SettingPopup::Redraw() {
    if (mode_ == SettingMode::Idle) return;
    QPainter painter(&backBuffer_);
    painter.fillRect(backBuffer_.rect(), Qt::black);
    DrawPopupFace(painter, size());
    DrawPopupTitle(painter, kTitles[static_cast<int>(mode_)]);
    if (mode_ == SettingMode::ViewerSetting)
        DrawSettingContents(painter);
    else
        DrawExportContents(painter);
    painter.end();
    update();
}

void SettingPopup::DrawExportContents(QPainter& painter) {
    const bool capture = mode_ == SettingMode::Capture;
    const ExportTarget& target = capture ? CaptureTarget() : ClipTarget();
    DrawFolderBox(painter, target.folder, kFolderTextY);
    painter.setFont(platform::WinFont("Tahoma", kExportTextPoints));
    painter.setPen(kPopupBorderGrey);
    platform::TextOut(painter, kExportCaptionAt.x(), kExportCaptionAt.y(), kExportCaptions[capture ? 0 : 1]);
    painter.setPen(Qt::white);
    platform::TextOut(painter, kFrontAt.x(), kFrontAt.y(), "Front");
    platform::TextOut(painter, kRearAt.x(), kRearAt.y(), "Rear");
    if (capture) return;   // the capture-source buttons stand beside the captions
    auto square = [](bool ticked) {
        return resources::Bitmap(ticked ? resources::kBitmapTickBoxTicked : resources::kBitmapTickBox);
    };
    painter.drawImage(kFrontSquareAt, square(target.front));
    painter.drawImage(kRearSquareAt, square(target.rear));
}

void SettingPopup::DrawSettingContents(QPainter& painter) {
    painter.setFont(platform::WinFont("돋움체", kLabelPoints));
    painter.setPen(kPopupBorderGrey);
    for (const SettingLabel& label : kSettingLabels) platform::TextOut(painter, kLabelX, label.y, label.text);
    for (int i = 0; i < kSliderCount; ++i) DrawSlider(painter, kSettingSliders[i], sliderPositions_[i], sliderPieces_);
}

void SettingPopup::RedrawSlider(int index) {
    const SettingSlider& slider = kSettingSliders[index];
    const QRect area = SliderArea(slider);
    QPainter painter(&backBuffer_);
    painter.fillRect(area, Qt::black);
    DrawSlider(painter, slider, sliderPositions_[index], sliderPieces_);
    painter.end();
    update(area);
}

void SettingPopup::OnEraseBackground(QPainter& painter) {
    painter.drawImage(0, 0, backBuffer_);
}

} // namespace settings
