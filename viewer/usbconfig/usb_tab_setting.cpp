#include "usbconfig/usb_tab_setting.h"

namespace usbconfig {
namespace {

constexpr int kTriggerModeIds[] = {1142, 1143};
constexpr int kAccelScaleIds[] = {1144, 1145};
constexpr int kUiRotateIds[] = {1146, 1147};
constexpr int kVerticalFlipIds[] = {1148, 1149};
constexpr int kHorizontalMirrorIds[] = {1150, 1151};
constexpr int kFrameRateModeIds[] = {1152, 1153};
constexpr int kSdFormatIds[] = {1154, 1155};
constexpr int kBuzzerIds[] = {1156, 1157};
constexpr int kLcdBrightnessIds[] = {1093, 1094, 1095, 1096};
constexpr int kBatteryVoltIds[] = {1097, 1098};
constexpr int kIrLedModeIds[] = {1099, 1100, 1103};
constexpr int kGpsModeIds[] = {1101, 1102};

constexpr RadioField kRadios[] = {
    {kTriggerModeIds, &DeviceConfig::triggerMode, RadioRule::Index},
    {kAccelScaleIds, &DeviceConfig::accelScale, RadioRule::Index},
    {kUiRotateIds, &DeviceConfig::uiRotate, RadioRule::Index},
    {kVerticalFlipIds, &DeviceConfig::verticalFlip, RadioRule::Index},
    {kHorizontalMirrorIds, &DeviceConfig::horizontalMirror, RadioRule::Index},
    {kFrameRateModeIds, &DeviceConfig::frameRateMode, RadioRule::Index},
    {kSdFormatIds, &DeviceConfig::sdFormat, RadioRule::Index},
    {kBuzzerIds, &DeviceConfig::buzzer, RadioRule::Index},
    {kLcdBrightnessIds, &DeviceConfig::lcdBrightness, RadioRule::Index},
    {kBatteryVoltIds, &DeviceConfig::batteryVolt, RadioRule::Index},
    {kIrLedModeIds, &DeviceConfig::irLedMode, RadioRule::Index},
    {kGpsModeIds, &DeviceConfig::gpsMode, RadioRule::Index},
};

constexpr ListField kLists[] = {
    {1194, 2000, 2099, 1, ListRule::YearOfCentury, &DeviceConfig::year},
    {1196, 1, 12, 1, ListRule::FromFirst, &DeviceConfig::month},
    {1198, 1, 31, 1, ListRule::FromFirst, &DeviceConfig::day},
    {1200, 0, 23, 1, ListRule::FromFirst, &DeviceConfig::hour},
    {1202, 0, 59, 1, ListRule::FromFirst, &DeviceConfig::minute},
    {1204, 0, 59, 1, ListRule::FromFirst, &DeviceConfig::second},
    {1206, 10, 100, 10, ListRule::Position, &DeviceConfig::inVolume},
    {1208, 0, 100, 10, ListRule::Position, &DeviceConfig::outVolume},
    {1213, 0, 20, 1, ListRule::TriggerTenths, nullptr, &DeviceConfig::triggerLevel},
    {1219, -5, 5, 1, ListRule::FromFirst, &DeviceConfig::brightness},
    {1221, -5, 5, 1, ListRule::FromFirst, &DeviceConfig::sharpness},
    {1223, -5, 5, 1, ListRule::FromFirst, &DeviceConfig::exposureBias},
    {1225, -5, 5, 1, ListRule::FromFirst, &DeviceConfig::wdrBias},
};

constexpr PageSpec kSpec{UsbTabSetting::kDialogId, 120, 315, platform::IDOK, kRadios, kLists, true};

} // namespace

UsbTabSetting::UsbTabSetting(DeviceConfig& record, QWidget* parent) : UsbTabPage(kSpec, record, parent) {
    Create();
}

} // namespace usbconfig
