#include "usbconfig/usb_tab_rec_set.h"

namespace usbconfig {
namespace {

constexpr int kSiTimeIds[] = {1142, 1143};
constexpr int kSiAccelerometerIds[] = {1145, 1146};
constexpr int kSiGroundSpeedIds[] = {1148, 1149};
constexpr int kUdTimeIds[] = {1093, 1094};
constexpr int kUdAccelerometerIds[] = {1095, 1096};
constexpr int kUdGroundSpeedIds[] = {1097, 1098};
constexpr int kUdJpegIds[] = {1099, 1100};
constexpr int kUdJpegFrameRateIds[] = {1101, 1102};
constexpr int kRecordMinutesIds[] = {1158, 1159, 1160, 1161, 1162};
constexpr int kMotionModeIds[] = {1166, 1167};
constexpr int kMotionSensitivityIds[] = {1169, 1170, 1171};
constexpr int kEventOverwriteIds[] = {1180, 1181};
constexpr int kWaterMarkIds[] = {1182, 1183};
constexpr int kSortingIds[] = {1184, 1185};

constexpr RadioField kRadios[] = {
    {kSiTimeIds, &DeviceConfig::siTime, RadioRule::Index},
    {kSiAccelerometerIds, &DeviceConfig::siAccelerometer, RadioRule::Index},
    {kSiGroundSpeedIds, &DeviceConfig::siGroundSpeed, RadioRule::Index},
    {kUdTimeIds, &DeviceConfig::udTime, RadioRule::Index},
    {kUdAccelerometerIds, &DeviceConfig::udAccelerometer, RadioRule::Index},
    {kUdGroundSpeedIds, &DeviceConfig::udGroundSpeed, RadioRule::Index},
    {kUdJpegIds, &DeviceConfig::udJpeg, RadioRule::Index},
    {kUdJpegFrameRateIds, &DeviceConfig::udJpegFrameRate, RadioRule::Index},
    {kRecordMinutesIds, &DeviceConfig::recordMinutes, RadioRule::CountFromOne},
    {kMotionModeIds, &DeviceConfig::motionMode, RadioRule::Index},
    {kMotionSensitivityIds, &DeviceConfig::motionSensitivity, RadioRule::Index},
    {kEventOverwriteIds, &DeviceConfig::eventOverwrite, RadioRule::Index},
    {kWaterMarkIds, &DeviceConfig::waterMark, RadioRule::Index},
    {kSortingIds, &DeviceConfig::sorting, RadioRule::Index},
};

constexpr ListField kLists[] = {
    {1194, 30, 120, 1, ListRule::MotionSeconds, &DeviceConfig::motionRecordSeconds},
};

constexpr PageSpec kSpec{UsbTabRecSet::kDialogId, 24, 87, platform::IDOK, kRadios, kLists, true};

} // namespace

UsbTabRecSet::UsbTabRecSet(DeviceConfig& record, QWidget* parent) : UsbTabPage(kSpec, record, parent) {
    Create();
}

} // namespace usbconfig
