#pragma once
// The "Recorder" page (bytes 0-23): channels, mode, video type, resolution, quality, audio.
// The quality buttons of the other channel count and, unless the type is H.264, "Mega(1.3M)"
// are disabled, at load and as soon as the user picks a channel count or a type; a disabled
// button keeps its selection.

#include "usbconfig/usb_tab_page.h"

namespace usbconfig {

class UsbTabRecorder : public UsbTabPage {
public:
    static constexpr int kDialogId = 286;
    UsbTabRecorder(DeviceConfig& record, QWidget* parent);

protected:
    void OnLoaded() override;
    bool WritesGroup(std::size_t group) const override;
    void OnButtonClicked(int id) override;

private:
    void EnableQualityFor(bool oneChannel);
    void EnableMega(bool h264);
};

} // namespace usbconfig
