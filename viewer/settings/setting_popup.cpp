#include "settings/setting_popup.h"

#include <array>
#include <cstdio>
#include <ctime>

#include "resources/resources.h"
#include "settings/alert_popup.h"

namespace settings {

namespace {

constexpr int kOffsetX = 324;
constexpr int kOffsetY = 55;
constexpr int kCaptionBand = 35;

struct RadioGroup {
    std::int32_t SettingChoices::*choice;
    std::array<int, 3> ids;   // button of choice 0, 1, 2; 0 past the group's end
};

constexpr RadioGroup kRadioGroups[] = {
    {&SettingChoices::channel, {1078, 1079, 0}},
    {&SettingChoices::tvOut, {1080, 1081, 0}},
    {&SettingChoices::driveMode, {1082, 1083, 0}},
    {&SettingChoices::language, {1241, 1242, 1243}},
    {&SettingChoices::captureSource, {1084, 1085, 0}},
};

} // namespace

SettingPopup::SettingPopup(QWidget* parent) : platform::Dialog(resources::Dialog(kDialogId), parent) {
    setSwallowedKeys(platform::kSwallowPopupKeys);
    setCaptionBand(kCaptionBand);
    Create();
}

void SettingPopup::ApplyConfig(const ViewerConfig& record) {
    live_ = WithAppliedLevels(record);
    choices_.channel = 0;
    PushChoices();
    ShowCurrentTime();
}

void SettingPopup::PushChoices() {
    // A choice outside its group leaves every button of the group unchecked.
    for (const RadioGroup& group : kRadioGroups) {
        const std::int32_t choice = choices_.*group.choice;
        for (std::size_t i = 0; i < group.ids.size() && group.ids[i] != 0; ++i)
            CheckDlgButton(group.ids[i], static_cast<std::int32_t>(i) == choice);
    }
}

void SettingPopup::ShowCurrentTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%4d년 %02d월 %02d일 %02d: %02d:%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    SetDlgItemText(kDateTimeBoxId, text);
}

void SettingPopup::SetOwnerPosition(int x, int y, int width, int height) {
    ownerPosition_ = QRect(x, y, width, height);
    move(x + kOffsetX, y + kOffsetY);
}

void SettingPopup::ShowAlert(int number) {
    if (!alert_) alert_ = new AlertPopupDlg(this);
    alert_->Show(number, ownerPosition_.x(), ownerPosition_.y());
}

settings::ConfigTail SettingPopup::ConfigTail() const {
    const ExportTarget& capture = CaptureTarget();
    const ExportTarget& clip = ClipTarget();
    settings::ConfigTail tail;
    tail.captureFolder = capture.folder;
    tail.captureFront = capture.front;
    tail.captureRear = capture.rear;
    tail.clipFolder = clip.folder;
    tail.clipFront = clip.front;
    tail.clipRear = clip.rear;
    return tail;
}

} // namespace settings
