// The main window's still capture (1004) and print (1003) commands.

#include "capture/capture_name.h"
#include "capture/window_print.h"
#include "player/tarn_adap.h"
#include "settings/setting_popup.h"
#include "shell/tripdesk_dlg.h"

namespace shell {

// Copies the adapter's current pictures (channel 2 only in two-channel mode) and names the
// capture; then opens the settings window in its capture mode when it is idle. Without a
// picture yet nothing happens.
void CTripDeskDlg::CmdCapture() {
    if (!PlayingWithAdapter()) return;
    const std::span<const std::uint8_t> front = adapter_->LatestPicture(1);
    if (front.empty()) return;
    captureFrames_.frameBytes = front.size();
    captureFrames_.front.assign(front.begin(), front.end());
    captureFrames_.twoChannel = adapter_->channelMode.load() == 2;
    if (captureFrames_.twoChannel) {
        const std::span<const std::uint8_t> rear = adapter_->LatestPicture(2);
        captureFrames_.rear.assign(rear.begin(), rear.end());
    } else {
        captureFrames_.rear.clear();
    }
    captureFrames_.name = capture::CaptureName(list_.currentPath(), adapter_->positionSeconds.load());

    if (settings_->Mode() != settings::SettingMode::Idle) return;
    settings_->SetMode(settings::SettingMode::Capture);
    settings_->Arrange();
    settings_->SetCaptureFrames(&captureFrames_);
    settings_->Show(settings::SettingPopup::kShown);
}

void CTripDeskDlg::CmdPrint() {
    capture::PrintWindow(*this);
}

} // namespace shell
