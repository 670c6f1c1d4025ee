#pragma once
// The "Setting" page (bytes 120-315, the reserved words at 196-288 included): clock, volumes,
// G-sensor trigger, camera, SD format and the recorder's system settings. Taller than the tab
// area, it scrolls.

#include "usbconfig/usb_tab_page.h"

namespace usbconfig {

class UsbTabSetting : public UsbTabPage {
public:
    static constexpr int kDialogId = 291;
    UsbTabSetting(DeviceConfig& record, QWidget* parent);
};

} // namespace usbconfig
