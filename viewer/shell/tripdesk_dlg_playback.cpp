// Opening recordings and the playback operations the commands share.

#include <QPainter>
#include <filesystem>

#include "catalogue/recording_name.h"
#include "platform/cursor.h"
#include "platform/dialogs.h"
#include "player/tarn_adap.h"
#include "resources/resources.h"
#include "shell/main_window_areas.h"
#include "shell/model/track_geometry.h"
#include "shell/tripdesk_dlg.h"
#include "telemetry/draw_gsenser.h"
#include "telemetry/draw_progress_bar.h"
#include "telemetry/draw_volume_bar.h"

namespace shell {

namespace {
constexpr const char* kOneChannelViewerMessage = "1채널 전용 뷰어를 실행해 주십시요";
constexpr int kSpeedSliderRest = 48;

bool IsNonEmptyFile(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return !error && size != 0;
}
} // namespace

bool CTripDeskDlg::PlayingWithAdapter() const {
    return adapter_ && playing_;
}

void CTripDeskDlg::TraceState() {
    if (adapter_) adapter_->TraceState();
}

void CTripDeskDlg::SeekPlayer(float seconds, bool relative) {
    adapter_->Seek(seconds, relative);
    if (!paused_) return;
    paused_ = false;
    MapPauseChanged();
}

bool CTripDeskDlg::OpenCurrentRecording() {
    platform::WaitCursor wait;
    EnsureAdapter();
    const int mode = channelMode();
    if (mode == 1) ShowMapPage();
    if (playing_) {
        adapter_->positionSeconds = 0;
        adapter_->lengthSeconds = 0;
    }
    ResetPlayState();
    const std::optional<std::string> front = list_.openHighlighted();
    if (!front) return false;
    LoadMapRoute(*front);
    // One channel: the file itself must exist; two: its rear file too.
    const std::string checked = mode == 2 ? catalogue::RecordingName::rearPathOf(*front) : *front;
    if (mode == 1) repaint(ToQRect(kChannel2Area));
    if (!IsNonEmptyFile(checked)) {
        if (mode == 2)
            platform::MessageBox(this, kOneChannelViewerMessage, resources::String(resources::kAppTitleString),
                                 platform::MB_OK);
        return false;
    }
    if (speed_.step() != SpeedLadder::kNormal) speedSliderPos_ = kSpeedSliderRest;
    const int volume = VolumePercentAt(volumeBar_->GetLevel());
    SetVolumePercent(volume);
    adapter_->PlayFiles(*front, mode == 2 ? checked : std::string());
    TraceState();
    RedrawListArea();
    playing_ = true;
    progressBar_->SetShowTime(true);
    SetVolumePercent(volume);
    list_.updateScrollThumb();
    return true;
}

void CTripDeskDlg::ResetSpeed() {
    speed_.reset();
    RedrawSpeedLabel();
    if (adapter_) {
        adapter_->SetSpeed(static_cast<float>(speed_.factor()), false);
        TraceState();
    }
}

void CTripDeskDlg::StopPlayback() {
    if (speed_.step() != SpeedLadder::kNormal) speedSliderPos_ = kSpeedSliderRest;
    adapter_->Stop();
    TraceState();
    adapter_->positionSeconds = 0;
    adapter_->lengthSeconds = 0;
}

void CTripDeskDlg::ResetPlayState() {
    progressBar_->SetPosition(0);
    playing_ = false;
    gsensorGraph_->ResetTrace();
    UpdateProgressTexts();
}

void CTripDeskDlg::RedrawListArea() {
    RedrawList({kListRestoreArea, kTitleArea}, {kListArea, kTitleArea});
}

void CTripDeskDlg::SetVolumePercent(int percent) {
    volumePercent_ = percent;
    if (adapter_) {
        adapter_->SetVolume(static_cast<float>(percent), false);
        TraceState();
    }
}

void CTripDeskDlg::SetVolumeLevel(int level) {
    volumeBar_->SetLevel(level);
    SetVolumePercent(VolumePercentAt(volumeBar_->GetLevel()));
    volumeBar_->update();
}

bool CTripDeskDlg::GetClipTimes(int* length, int* position) {
    if (!length || !position) return false;
    *length = adapter_ ? adapter_->lengthSeconds.load() : 0;
    *position = adapter_ ? adapter_->positionSeconds.load() : 0;
    return true;
}

void CTripDeskDlg::RestoreFromSkin(const QRect& area) {
    if (backBuffer_.isNull()) return;
    QPainter buffer(&backBuffer_);
    buffer.drawImage(area.topLeft(), skin_, area);
}

void CTripDeskDlg::InvalidateRect(const QRect& area) {
    if (!area.isEmpty()) update(area);
}

void CTripDeskDlg::UpdateProgressTexts() {
    if (backBuffer_.isNull() || !progressBar_) return;
    QPainter buffer(&backBuffer_);
    InvalidateRect(progressBar_->UpdateParentTexts(buffer, skin_));
}

} // namespace shell
