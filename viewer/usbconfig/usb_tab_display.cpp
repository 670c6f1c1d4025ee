#include "usbconfig/usb_tab_display.h"

namespace usbconfig {
namespace {

constexpr int kLcdIds[] = {1142, 1143, 1144, 1145, 1146, 1147};
constexpr int kTvIds[] = {1148, 1149, 1150, 1151, 1152, 1153};
constexpr int kUiSkinIds[] = {1093, 1094, 1095};
constexpr int kSkinIds[] = {1096, 1097, 1098};

constexpr RadioField kRadios[] = {
    {kLcdIds, &DeviceConfig::lcdOut, RadioRule::DisplayOutput},
    {kTvIds, &DeviceConfig::tvOut, RadioRule::DisplayOutput},
    {kUiSkinIds, &DeviceConfig::uiSkin, RadioRule::Index},
    {kSkinIds, &DeviceConfig::skin, RadioRule::Index},
};

constexpr PageSpec kSpec{UsbTabDisplay::kDialogId, 92, 119, platform::IDOK, kRadios, {}, false};

} // namespace

UsbTabDisplay::UsbTabDisplay(DeviceConfig& record, QWidget* parent) : UsbTabPage(kSpec, record, parent) {
    Create();
}

void UsbTabDisplay::OnLoaded() {
    for (int id : kUiSkinIds) EnableDlgItem(id, false);
    for (int id : kSkinIds) EnableDlgItem(id, false);
}

} // namespace usbconfig
