// The mouse on the main window's tracks and list. A press is tested against the progress thumb,
// the volume thumb, the list rows, the scroll arrows and thumb, then the three tracks; the first
// hit decides.

#include <QPainter>

#include "player/tarn_adap.h"
#include "shell/main_window_areas.h"
#include "shell/model/track_geometry.h"
#include "shell/tripdesk_dlg.h"
#include "telemetry/draw_gsenser.h"
#include "telemetry/draw_progress_bar.h"
#include "telemetry/draw_volume_bar.h"

namespace shell {

namespace {
constexpr int kDragProgress = 0;
constexpr int kDragVolume = 2;
constexpr int kDragListThumb = 3;
constexpr int kSpeedThumbX = 634;
constexpr int kSpeedThumbY = 481;

bool Hit(const PixelRect& rect, int x, int y) {
    return rect.contains(x, y);
}
} // namespace

void CTripDeskDlg::BeginDrag(int mode) {
    SetCapture();
    dragging_ = true;
    dragMode_ = mode;
}

void CTripDeskDlg::OnLButtonDown(int x, int y) {
    if (dragging_) return;
    if (Hit(ProgressThumbRect(progressBar_->GetPosition()), x, y)) {
        if (PlayingWithAdapter()) {
            adapter_->Pause();
            TraceState();
            BeginDrag(kDragProgress);
        }
        return;
    }
    if (Hit(VolumeThumbRect(volumeBar_->GetLevel()), x, y)) {
        if (playing_) BeginDrag(kDragVolume);
        return;
    }
    if (list_.highlightAt(x, y)) {
        RedrawList({kListRowsArea}, {kListRowsArea});
        return;
    }
    if (Hit(PlayList::kScrollUp, x, y) || Hit(PlayList::kScrollDown, x, y)) {
        if (Hit(PlayList::kScrollUp, x, y))
            list_.pageUp();
        else
            list_.pageDown();
        RedrawList({kListArea}, {kListArea});
        return;
    }
    if (list_.scrollThumb() && Hit(*list_.scrollThumb(), x, y)) {
        if (list_.beginThumbDrag(y)) BeginDrag(kDragListThumb);
        return;
    }
    if (Hit(kProgressTrack.click, x, y)) {
        if (playing_) PressProgressTrack(x);
        return;
    }
    if (Hit(kSpeedTrack.click, x, y)) {
        if (playing_) PressSpeedTrack(x);
        return;
    }
    if (Hit(kVolumeTrack.click, x, y)) {
        if (playing_) {
            MoveVolumeTo(x);
            volumeBar_->update();
        }
    }
}

void CTripDeskDlg::PressProgressTrack(int x) {
    if (!adapter_) return;
    SeekLikeProgressClick(TrackPositionAt(kProgressTrack, x), std::nullopt);
}

void CTripDeskDlg::SeekLikeProgressClick(int position, std::optional<double> seconds) {
    adapter_->Pause();
    TraceState();
    progressBar_->SetPosition(position);
    SeekPlayer(static_cast<float>(seconds.value_or(SecondsAtProgress(progressBar_->GetPosition(), adapter_->lengthSeconds))),
               false);
    gsensorGraph_->ResetTrace();
    TraceState();
    progressBar_->update();
}

void CTripDeskDlg::PressSpeedTrack(int x) {
    speedSliderPos_ = TrackPositionAt(kSpeedTrack, x);
    RestoreFromSkin(ToQRect(kSpeedSliderArea));
    QPainter buffer(&backBuffer_);
    buffer.drawImage(QPoint(speedSliderPos_ + kSpeedThumbX, kSpeedThumbY), speedThumb_);
    buffer.end();
    // The label lies on the slider's area and stays above the thumb.
    RedrawSpeedLabel();
    InvalidateRect(ToQRect(kSpeedSliderArea));
}

void CTripDeskDlg::MoveVolumeTo(int x) {
    SetVolumeLevel(TrackPositionAt(kVolumeTrack, x));
}

void CTripDeskDlg::OnMouseMove(int x, int y) {
    // Only a held thumb follows the pointer.
    if (!dragging_) return;
    if (dragMode_ == kDragProgress && playing_) {
        progressBar_->SetPosition(TrackPositionAt(kProgressTrack, x));
        progressBar_->update();
        gsensorGraph_->ResetTrace();
    } else if (dragMode_ == kDragVolume && playing_) {
        MoveVolumeTo(x);
    } else if (dragMode_ == kDragListThumb) {
        const bool pageChanged = list_.dragThumbTo(y);
        const PixelRect& area = pageChanged ? kListArea : kListScrollColumn;
        RedrawList({area}, {area});
    }
}

void CTripDeskDlg::OnLButtonUp(int, int) {
    if (!dragging_) return;
    ReleaseCapture();
    if (dragMode_ == kDragProgress && PlayingWithAdapter()) {
        SeekPlayer(static_cast<float>(SecondsAtProgress(progressBar_->GetPosition(), adapter_->lengthSeconds)), false);
        TraceState();
    }
    dragging_ = false;
}

bool CTripDeskDlg::OnLButtonDblClk(int x, int y) {
    if (list_.empty() || !list_.highlightAt(x, y)) return false;
    RedrawList({kListRowsArea}, {kListRowsArea});
    OpenCurrentRecording();
    ResetSpeed();
    return true;
}

} // namespace shell
