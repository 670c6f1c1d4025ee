#pragma once
// The "Viewer" page (bytes 88-91): the sort condition. Its Save button has id 7; an edit box
// and a button of its template are never shown.

#include "usbconfig/usb_tab_page.h"

namespace usbconfig {

class UsbTabViewer : public UsbTabPage {
public:
    static constexpr int kDialogId = 288;
    UsbTabViewer(DeviceConfig& record, QWidget* parent);
};

} // namespace usbconfig
