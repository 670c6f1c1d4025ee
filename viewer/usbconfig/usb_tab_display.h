#pragma once
// The "Display" page (bytes 92-119, the reserved words at 108-116 included): LCD and TV
// outputs, and the two skin groups, whose buttons stay disabled so that they only carry what was
// loaded.

#include "usbconfig/usb_tab_page.h"

namespace usbconfig {

class UsbTabDisplay : public UsbTabPage {
public:
    static constexpr int kDialogId = 290;
    UsbTabDisplay(DeviceConfig& record, QWidget* parent);

protected:
    void OnLoaded() override;
};

} // namespace usbconfig
