#pragma once
// The "RecSet" page (bytes 24-87, the reserved word at 84 included): stamped information,
// user data, record time, motion detection, event overwrite, water mark and sorting. Taller than
// the tab area, it scrolls.

#include "usbconfig/usb_tab_page.h"

namespace usbconfig {

class UsbTabRecSet : public UsbTabPage {
public:
    static constexpr int kDialogId = 287;
    UsbTabRecSet(DeviceConfig& record, QWidget* parent);
};

} // namespace usbconfig
