#pragma once
// Clockfix's main window (template 102, skinned): the list of removable drives with the
// recorder's card preselected, the six clock boxes and the set-time button, and the recorder
// values read from the selected card, and the card format. Enter and Escape are swallowed; the X button and the
// system menu end it. The list is built at start and again on every device change.

#include <QMenu>
#include <QPointer>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "card/recorder_values.h"
#include "format_worker.h"
#include "skin/skin_dialog.h"

class QMenu;

namespace platform {
class DriveChangeMonitor;
}
namespace skin {
class SkinComboBox;
}

namespace clockfix {

class CClockfixDlg : public skin::SkinDialog {
    Q_OBJECT
public:
    explicit CClockfixDlg(QWidget* parent = nullptr);
    ~CClockfixDlg() override;

    // State, by list position.
    const std::vector<std::string>& mountPoints() const { return mountPoints_; }
    int entryCount() const { return entryCount_; }
    int preselectedEntry() const { return preselected_; }
    const card::RecorderValues& recorderValues() const { return values_; }

    skin::SkinComboBox* driveList() const { return driveList_; }
    // The system menu while it is open; null otherwise.
    QMenu* systemMenu() const { return systemMenu_; }

    platform::LRESULT WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, platform::UINT code) override;
    bool PreTranslateMessage(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // clockfix_dlg_skin.cpp
    void WrapControls();

    // clockfix_dlg_drives.cpp
    void FillDriveList(std::string_view recognitionLabel);
    void StartWithDrives();
    void OnDeviceChange();
    void OnDriveSelected();
    void EnableActions(bool enabled);
    void ShowRecorderValues();
    void FillClockBoxes();
    void SetTime();

    // clockfix_dlg_format.cpp
    void FormatCard();
    void OnFormatDone();

    // clockfix_dlg.cpp
    void OpenSystemMenu(QPoint globalPos);
    void OnSysCommand(int command);
    int ShowMessage(const char* text);

    std::vector<std::string> mountPoints_;
    int entryCount_ = 0;
    int preselected_ = -1;
    card::RecorderValues values_;
    // The volume the selection handler accepted last, as it saw it.
    std::optional<FormatTarget> selected_;

    skin::SkinComboBox* driveList_ = nullptr;
    QPointer<QMenu> systemMenu_;
    std::unique_ptr<platform::DriveChangeMonitor> monitor_;
};

} // namespace clockfix
