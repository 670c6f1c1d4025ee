// The main window's button commands.

#include "catalogue/files_open_popup.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "player/tarn_adap.h"
#include "settings/info_popup.h"
#include "settings/setting_popup.h"
#include "shell/main_window_ids.h"
#include "shell/tripdesk_dlg.h"
#include "telemetry/draw_progress_bar.h"

namespace shell {

namespace {
constexpr const char* kClockfixProgram = "Clockfix.exe";
constexpr const char* kClockfixMissing = "Clockfix.exe 파일이 존재하지 않습니다.";
constexpr const char* kErrorCaption = "Error";
constexpr std::intptr_t kShellFailureLimit = 31;
} // namespace

struct CTripDeskDlg::Command {
    int id;
    void (CTripDeskDlg::*run)();
};

// Conditions (needs the adapter, needs playing, ...) are checked inside each command.
const std::array<CTripDeskDlg::Command, 22> CTripDeskDlg::kCommands{{
    {IDC_MIN, &CTripDeskDlg::CmdMin},
    {IDC_CLOSE, &CTripDeskDlg::CmdClose},
    {IDC_PREV_FILE, &CTripDeskDlg::CmdPrevFile},
    {IDC_NEXT_FILE, &CTripDeskDlg::CmdNextFile},
    {IDC_PLAY, &CTripDeskDlg::CmdPlay},
    {IDC_PAUSE, &CTripDeskDlg::CmdPause},
    {IDC_STOP, &CTripDeskDlg::CmdStop},
    {IDC_F_SEEK, &CTripDeskDlg::CmdForwardSeek},
    {IDC_B_SEEK, &CTripDeskDlg::CmdBackSeek},
    {IDC_FRAME_STEP, &CTripDeskDlg::CmdFrameStep},
    {IDC_FAST, &CTripDeskDlg::CmdFast},
    {IDC_SLOW, &CTripDeskDlg::CmdSlow},
    {IDC_DELETE_LIST, &CTripDeskDlg::CmdDeleteList},
    {IDC_INFO, &CTripDeskDlg::CmdInfo},
    {IDC_OPEN_FILE, &CTripDeskDlg::CmdOpenFile},
    {IDC_CLOCKFIX, &CTripDeskDlg::CmdClockfix},
    {IDC_USB, &CTripDeskDlg::CmdUsb},
    {IDC_SAVE, &CTripDeskDlg::CmdSave},
    {IDC_SETTING, &CTripDeskDlg::CmdSetting},
    {IDC_CAPTURE, &CTripDeskDlg::CmdCapture},
    {IDC_PRINT, &CTripDeskDlg::CmdPrint},
    {IDC_MAP, &CTripDeskDlg::CmdMap},
}};

bool CTripDeskDlg::OnCommand(int id, platform::UINT code) {
    if (code != platform::BN_CLICKED) return false;
    for (const Command& command : kCommands) {
        if (command.id == id) {
            (this->*command.run)();
            return true;
        }
    }
    return false;
}

void CTripDeskDlg::CmdMin() {
    showMinimized();
}

void CTripDeskDlg::CmdClose() {
    CmdStop();
    if (adapter_) adapter_->CloseSequence();
    OnOK();
}

void CTripDeskDlg::CmdPrevFile() {
    if (!adapter_ || !list_.stepPrevious()) return;
    OpenCurrentRecording();
    ResetSpeed();
}

void CTripDeskDlg::CmdNextFile() {
    if (!adapter_ || !list_.stepNext()) return;
    OpenCurrentRecording();
    ResetSpeed();
}

void CTripDeskDlg::CmdPlay() {
    if (list_.empty()) return;
    if (paused_) {
        if (PlayingWithAdapter()) {
            adapter_->Pause();  // the player's pause is a toggle: this resumes
            TraceState();
            paused_ = false;
            MapPauseChanged();
        }
        return;
    }
    OpenCurrentRecording();
    ResetSpeed();
}

void CTripDeskDlg::CmdPause() {
    if (!PlayingWithAdapter()) return;
    adapter_->Pause();
    TraceState();
    paused_ = !paused_;
    MapPauseChanged();
}

void CTripDeskDlg::CmdStop() {
    if (!PlayingWithAdapter()) return;
    StopPlayback();
    ResetPlayState();
    RedrawListArea();
}

void CTripDeskDlg::CmdForwardSeek() {
    if (!PlayingWithAdapter()) return;
    SeekPlayer(1.0f, true);
    TraceState();
}

void CTripDeskDlg::CmdBackSeek() {
    if (!PlayingWithAdapter()) return;
    SeekPlayer(-1.0f, true);
    TraceState();
    progressBar_->repaint();
}

void CTripDeskDlg::CmdFrameStep() {
    if (!PlayingWithAdapter()) return;
    adapter_->FrameStep();
    TraceState();
}

void CTripDeskDlg::CmdFast() {
    if (!playing_) return;
    speed_.fast();
    ResetSpeed();
}

void CTripDeskDlg::CmdSlow() {
    if (!playing_) return;
    speed_.slow();
    ResetSpeed();
}

void CTripDeskDlg::CmdDeleteList() {
    if (PlayingWithAdapter()) StopPlayback();
    list_.clear();
    ResetPlayState();
    RedrawListArea();
}

void CTripDeskDlg::CmdInfo() {
    if (!info_) {
        info_ = new settings::InfoPopup(this);
        info_->Place(mainPlacement_.x(), mainPlacement_.y());
    }
    info_->show();
}

void CTripDeskDlg::CmdOpenFile() {
    if (!filesOpen_) filesOpen_ = new catalogue::FilesOpenPopup(hwnd(), this);
    filesOpen_->ShowForChannelMode(channelMode());
}

// The settings window opens only while it is idle; the save button itself stays hidden.
void CTripDeskDlg::CmdSave() {
    if (!adapter_ || list_.empty() || settings_->Mode() != settings::SettingMode::Idle) return;
    settings_->SetMode(settings::SettingMode::FileSave);
    settings_->Arrange();
    settings_->Show(settings::SettingPopup::kShown);
}

void CTripDeskDlg::CmdSetting() {
    if (settings_->Mode() != settings::SettingMode::Idle) return;
    EnsureAdapter();
    settings_->SetAdapter(adapter_.get());
    settings_->SetMode(settings::SettingMode::ViewerSetting);
    settings_->Arrange();
    settings_->Show(settings::SettingPopup::kShown);
}

void CTripDeskDlg::CmdClockfix() {
    const std::intptr_t result =
        platform::ShellExecuteA(hwnd(), "open", kClockfixProgram, nullptr, nullptr, platform::SW_SHOWNORMAL);
    if (result <= kShellFailureLimit) platform::MessageBox(this, kClockfixMissing, kErrorCaption, platform::MB_OK);
}

} // namespace shell
