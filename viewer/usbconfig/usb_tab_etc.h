#pragma once
// The "Etc" page: firmware buttons that have no action; it reads and writes no record field.

#include "usbconfig/usb_tab_page.h"

namespace usbconfig {

class UsbTabEtc : public UsbTabPage {
public:
    static constexpr int kDialogId = 292;
    UsbTabEtc(DeviceConfig& record, QWidget* parent);
};

} // namespace usbconfig
