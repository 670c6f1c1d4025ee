// The main window's drive list, start, device changes, selection handler, recorder values and
// set-time button.
#include <ctime>

#include "card/clock_file.h"
#include "clockfix_dlg.h"
#include "clockfix_ids.h"
#include "clockfix_resources.h"
#include "drivelist/drive_list.h"
#include "platform/drives.h"
#include "platform/number_text.h"
#include "skin/skin_lists.h"

namespace clockfix {

void CClockfixDlg::FillDriveList(std::string_view recognitionLabel) {
    const drivelist::DriveList list = drivelist::BuildDriveList(recognitionLabel);
    mountPoints_ = list.mountPoints;
    entryCount_ = static_cast<int>(list.mountPoints.size());
    preselected_ = list.recognised;
    driveList_->ResetContent();
    for (const std::string& text : list.texts) driveList_->AddString(text);
}

void CClockfixDlg::StartWithDrives() {
    FillDriveList(drivelist::kStartLabel);
    FillClockBoxes();
    values_ = card::RecorderValues{};
    ShowRecorderValues();
    EnableActions(false);
    EnableDlgItem(IDC_DRIVE_LIST, entryCount_ > 0);
    if (preselected_ >= 0) driveList_->SetCurSel(preselected_);
}

void CClockfixDlg::OnDeviceChange() {
    FillDriveList(drivelist::kDeviceChangeLabel);
    if (preselected_ >= 0) {
        driveList_->SetCurSel(preselected_);
    } else {
        driveList_->SetShownText({});
        selected_.reset();
        values_ = card::RecorderValues{};
        ShowRecorderValues();
        EnableActions(false);
    }
    EnableDlgItem(IDC_DRIVE_LIST, entryCount_ > 0);
}

void CClockfixDlg::OnDriveSelected() {
    const int entry = driveList_->GetCurSel();
    if (entry < 0 || entry >= entryCount_) return;
    const std::string& mountPoint = mountPoints_[static_cast<std::size_t>(entry)];
    selected_.reset();
    if (platform::TotalSize(mountPoint) == 0) {
        // Nothing stays selected and no action is offered until a drive passes.
        driveList_->ClearSelection();
        EnableActions(false);
        ShowMessage(clockfix_res::String(IDS_INVALID_DISK));
        return;
    }
    selected_ = VolumeNow(mountPoint);
    EnableDlgItem(IDC_DRIVE_LIST, true);
    EnableActions(true);
    values_ = card::ReadRecorderValues(mountPoint);
    ShowRecorderValues();
}

void CClockfixDlg::EnableActions(bool enabled) {
    EnableDlgItem(IDC_FORMAT, enabled);
    EnableDlgItem(IDC_SET_TIME, enabled);
    for (const auto& group : kValueGroups)
        for (int id : group) EnableDlgItem(id, enabled);
}

void CClockfixDlg::ShowRecorderValues() {
    const std::uint8_t levels[4] = {values_.quality, values_.sensitivity, values_.sound, values_.frame};
    for (std::size_t group = 0; group < kValueGroups.size(); ++group) {
        const auto checked = card::CheckedButton(levels[group]);
        for (int button = 0; button < 3; ++button)
            CheckDlgButton(kValueGroups[group][static_cast<std::size_t>(button)], checked && *checked == button);
    }
}

void CClockfixDlg::FillClockBoxes() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const int fields[6] = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                           local.tm_hour,        local.tm_min,     local.tm_sec};
    static constexpr const char* kFormats[6] = {"%d년", "%d월", "%d일", "%d시", "%d분", "%d초"};
    for (std::size_t i = 0; i < kClockBoxIds.size(); ++i)
        SetDlgItemText(kClockBoxIds[i], platform::FormatText(kFormats[i], fields[i]));
}

void CClockfixDlg::SetTime() {
    const int entry = driveList_->GetCurSel();
    if (entry < 0 || entry >= entryCount_) return;
    card::ClockBoxes boxes;
    for (std::size_t i = 0; i < kClockBoxIds.size(); ++i) boxes[i] = GetDlgItemText(kClockBoxIds[i]);
    const card::SetClockResult result = card::SetClock(mountPoints_[static_cast<std::size_t>(entry)], boxes);
    if (result.message != 0) ShowMessage(clockfix_res::String(result.message));
}

} // namespace clockfix
