#include "usbconfig/usb_tab_etc.h"

namespace usbconfig {
namespace {

// Its buttons ("SD Update" 1233, "USB Update" 1095, "Set Default" 1096) have no action.
constexpr PageSpec kSpec{UsbTabEtc::kDialogId, 0, 0, 0, {}, {}, false};

} // namespace

UsbTabEtc::UsbTabEtc(DeviceConfig& record, QWidget* parent) : UsbTabPage(kSpec, record, parent) {
    Create();
}

} // namespace usbconfig
