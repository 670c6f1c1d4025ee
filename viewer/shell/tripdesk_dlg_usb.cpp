// The main window's USB command: the USB tool window, made on the first press beside the main
// window and kept, hidden or shown, until the main window is destroyed.

#include "shell/tripdesk_dlg.h"
#include "usbconfig/usb_tool_popup.h"

namespace shell {

void CTripDeskDlg::CmdUsb() {
    if (!usbTool_) {
        usbTool_ = new usbconfig::UsbToolPopup(this);
        usbTool_->Place(mainPlacement_.x(), mainPlacement_.y());
    }
    usbTool_->ShowWindow();
}

} // namespace shell
