#include "usbconfig/usb_tab_recorder.h"

namespace usbconfig {
namespace {

constexpr int kOneChannel = 1109;
constexpr int kTwoChannels = 1093;
constexpr int kMpeg4 = 1113;
constexpr int kMjpeg = 1114;
constexpr int kH264 = 1115;
constexpr int kMega = 1121;

constexpr int kChannelIds[] = {kOneChannel, kTwoChannels};
constexpr int kModeIds[] = {1110, 1111, 1112};
constexpr int kTypeIds[] = {kMpeg4, kMjpeg, kH264};
constexpr int kResolutionIds[] = {1116, 1117, kMega};
constexpr int kOneChannelQualityIds[] = {1118, 1119, 1120};
constexpr int kTwoChannelQualityIds[] = {1129, 1130, 1131};
constexpr int kAudioIds[] = {1125, 1127, 1137};

enum Group : std::size_t { kChannels, kMode, kType, kResolution, kOneChannelQuality, kTwoChannelQuality, kAudio };

constexpr RadioField kRadios[] = {
    {kChannelIds, &DeviceConfig::channels, RadioRule::CountFromOne},
    {kModeIds, &DeviceConfig::recordMode, RadioRule::Index},
    {kTypeIds, &DeviceConfig::videoType, RadioRule::Index},
    {kResolutionIds, &DeviceConfig::resolution, RadioRule::ThreeShownAsTwo},
    {kOneChannelQualityIds, &DeviceConfig::quality, RadioRule::Index},
    {kTwoChannelQualityIds, &DeviceConfig::quality, RadioRule::Index},
    {kAudioIds, &DeviceConfig::audio, RadioRule::ThreeShownAsTwo},
};

constexpr PageSpec kSpec{UsbTabRecorder::kDialogId, 0, 23, platform::IDOK, kRadios, {}, false};

constexpr int kOneChannelCode = 1;
constexpr int kTwoChannelCode = 2;
constexpr int kH264Code = 2;

} // namespace

UsbTabRecorder::UsbTabRecorder(DeviceConfig& record, QWidget* parent) : UsbTabPage(kSpec, record, parent) {
    Create();
}

void UsbTabRecorder::OnLoaded() {
    if (record().channels == kOneChannelCode || record().channels == kTwoChannelCode)
        EnableQualityFor(record().channels == kOneChannelCode);
    if (record().videoType >= 0 && record().videoType <= kH264Code) EnableMega(record().videoType == kH264Code);
}

bool UsbTabRecorder::WritesGroup(std::size_t group) const {
    // The one-channel quality counts only when "1CH" is the selected button; otherwise (also
    // with no channel button selected) the two-channel group does.
    if (group == kOneChannelQuality) return RadioIndex(kChannels) == 0;
    if (group == kTwoChannelQuality) return RadioIndex(kChannels) != 0;
    return true;
}

void UsbTabRecorder::OnButtonClicked(int id) {
    if (id == kOneChannel || id == kTwoChannels)
        EnableQualityFor(id == kOneChannel);
    else if (id == kMpeg4 || id == kMjpeg || id == kH264)
        EnableMega(id == kH264);
}

void UsbTabRecorder::EnableQualityFor(bool oneChannel) {
    for (int id : kOneChannelQualityIds) EnableDlgItem(id, oneChannel);
    for (int id : kTwoChannelQualityIds) EnableDlgItem(id, !oneChannel);
}

void UsbTabRecorder::EnableMega(bool h264) { EnableDlgItem(kMega, h264); }

} // namespace usbconfig
