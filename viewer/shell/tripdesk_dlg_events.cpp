// What the main window does with the private messages of the player and its popups.

#include <QPainter>

#include "catalogue/files_open_popup.h"
#include "platform/clock.h"
#include "platform/cursor.h"
#include "platform/trace.h"
#include "player/player_messages.h"
#include "player/tarn_adap.h"
#include "player/video_popup.h"
#include "settings/setting_popup.h"
#include "shell/tripdesk_dlg.h"
#include "telemetry/draw_gps.h"
#include "telemetry/draw_progress_bar.h"
#include "telemetry/user_data_presenter.h"

namespace shell {

namespace {
struct VideoPlace {
    std::uint16_t x, y, width, height;
};
constexpr VideoPlace kMainVideo[2] = {{24, 88, 480, 360}, {514, 88, 480, 360}};
constexpr VideoPlace kPopupVideo{5, 35, 640, 480};
} // namespace

player::VideoPopup* CTripDeskDlg::videoPopup(int channel) const {
    return channel == 1 || channel == 2 ? videoPopups_[channel - 1] : nullptr;
}

platform::LRESULT CTripDeskDlg::OnPlayerPopup(platform::WPARAM channel) {
    if ((channel != 1 && channel != 2) || !adapter_) return 1;
    const int index = static_cast<int>(channel) - 1;
    player::VideoPopup*& popup = videoPopups_[index];
    if (!popup) {
        popup = new player::VideoPopup(player::kVideoPopupKinds[index], hwnd(), this);
        popup->SetOwnerMoved([this] {
            if (adapter_) adapter_->NotifyMoved();
        });
    }
    if (!popupShown_[index]) {
        popup->PlacePopup(mainPlacement_.x(), mainPlacement_.y());
        popup->SetShown(player::VideoPopup::kShown);
        (index == 0 ? adapter_->channel1PopupWindow : adapter_->channel2PopupWindow) = popup->hwnd();
        adapter_->SetPopupVideoRect(static_cast<std::uint8_t>(index), kPopupVideo.x, kPopupVideo.y,
                                    kPopupVideo.width, kPopupVideo.height);
        adapter_->RefreshVideo(static_cast<std::int32_t>(channel));
    }
    popupShown_[index] = true;
    (index == 0 ? adapter_->channel1PopupShown : adapter_->channel2PopupShown) = 1;
    return 1;
}

platform::LRESULT CTripDeskDlg::OnPopupClosed(platform::WPARAM channel) {
    if ((channel != 1 && channel != 2) || !adapter_) return 0;
    const int index = static_cast<int>(channel) - 1;
    const VideoPlace& place = kMainVideo[index];
    adapter_->SetVideoRect(static_cast<std::uint8_t>(index), place.x, place.y, place.width, place.height);
    adapter_->RefreshVideo(static_cast<std::int32_t>(channel));
    popupShown_[index] = false;
    (index == 0 ? adapter_->channel1PopupShown : adapter_->channel2PopupShown) = 0;
    return 0;
}

platform::LRESULT CTripDeskDlg::OnClipEnd(platform::LPARAM reason) {
    if (reason == player::kClipEndedAtLastEntry) {
        playing_ = false;
        list_.stepAfterClipEnd();
    }
    if (list_.empty()) return 1;
    OpenCurrentRecording();
    ResetSpeed();
    return 1;
}

platform::LRESULT CTripDeskDlg::OnPlayerUserData() {
    if (!PlayingWithAdapter()) return 1;
    // One picture's message per frame: give the player's threads the processor first.
    platform::Sleep(0);
    if (traceFrames_) platform::Trace("####frame %ld\n", ++framesShown_);
    platform::WaitCursor wait;
    const player::UserDataSnapshot snapshot = adapter_->SnapshotUserData();
    telemetry::FrameTelemetry frame;
    frame.hasCopies = snapshot.hasCopies;
    std::copy(snapshot.gps.begin(), snapshot.gps.end(), frame.gps.begin());
    const std::array<float, 3> g = snapshot.GSensor();
    frame.gsensor = {g[0], g[1], g[2]};
    frame.noUserData = snapshot.noUserData;
    frame.positionSeconds = adapter_->positionSeconds;
    frame.lengthSeconds = adapter_->lengthSeconds;
    const telemetry::UserDataRepaint repaint = presenter_->Present(frame, settings_->CurrentConfig().speedUnit);
    QPainter buffer(&backBuffer_);
    if (repaint.gpsPanel) InvalidateRect(gpsPanel_->UpdateParentTexts(buffer, skin_));
    if (repaint.progressBar) InvalidateRect(progressBar_->UpdateParentTexts(buffer, skin_));
    return 1;
}

platform::LRESULT CTripDeskDlg::OnShowAlert(platform::WPARAM number) {
    platform::WaitCursor wait;
    settings_->ShowAlert(static_cast<int>(number));
    return 1;
}

platform::LRESULT CTripDeskDlg::OnMapClosed() {
    mapWindowOpen_ = false;
    DeleteMapWindow();
    return 0;
}

platform::LRESULT CTripDeskDlg::OnFilesPopupClosed(platform::WPARAM which) {
    if (which != 1 || !filesOpen_) return 0;
    filesOpen_->hide();
    filesOpen_->deleteLater();
    filesOpen_ = nullptr;
    return 0;
}

} // namespace shell
