// Clip export from the main window: playback stops, the current recording is copied into the
// settings window's clip folder under the wait cursor, then the result is shown.

#include "catalogue/clip_export.h"
#include "platform/clock.h"
#include "platform/cursor.h"
#include "platform/dialogs.h"
#include "platform/trace.h"
#include "settings/setting_popup.h"
#include "shell/tripdesk_dlg.h"
#include "telemetry/draw_volume_bar.h"

namespace shell {

namespace {
// Lets the player finish stopping before its files are read.
constexpr unsigned kSettleMs = 1000;
constexpr int kSavedAlert = 2;
} // namespace

platform::LRESULT CTripDeskDlg::OnSaveClip(platform::WPARAM front, platform::LPARAM rear) {
    if (!PlayingWithAdapter() || list_.empty()) return 1;
    const std::string path = list_.currentPath();
    const int volumeLevel = volumeBar_->GetLevel();
    SetVolumeLevel(0);
    StopPlayback();   // also rests the speed slider when the speed is not 1.0 x
    ResetPlayState();
    RedrawListArea();
    platform::Sleep(kSettleMs);

    std::vector<catalogue::ClipCopy> copies;
    {
        platform::WaitCursor wait;
        const catalogue::ClipExport exporter(path, settings_->ClipTarget().folder, channelMode());
        copies = exporter.Run(front != 0, rear != 0);
        SetVolumeLevel(volumeLevel);
    }
    for (const catalogue::ClipCopy& copy : copies)
        if (!copy.result.ok()) platform::Trace("clip export: %s\n", catalogue::Describe(copy).c_str());

    platform::MessageBox(this, catalogue::ClipExportMessage(copies), catalogue::kClipCaption, platform::MB_OK);
    if (catalogue::AllWritten(copies)) settings_->ShowAlert(kSavedAlert);
    return 1;
}

} // namespace shell
