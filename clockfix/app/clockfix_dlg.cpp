#include "clockfix_dlg.h"

#include <QContextMenuEvent>
#include <QMenu>

#include "about_dlg.h"
#include "clockfix_ids.h"
#include "clockfix_resources.h"
#include "platform/dialogs.h"
#include "platform/displays.h"
#include "platform/drive_monitor.h"
#include "skin/skin_lists.h"

namespace clockfix {
namespace {

constexpr platform::WPARAM kVkSpace = 0x20;
// The system menu's close item, as Windows numbers it.
constexpr int kCloseCommand = 0xF060;

} // namespace

CClockfixDlg::CClockfixDlg(QWidget* parent)
    : skin::SkinDialog(clockfix_res::Dialog(clockfix_res::kMainDialog), parent) {
    setSwallowedKeys(platform::kSwallowEnter | platform::kSwallowEscape);
}

CClockfixDlg::~CClockfixDlg() = default;

bool CClockfixDlg::OnInitDialog() {
    skin::SkinDialog::OnInitDialog();
    WrapControls();
    // A dialog opens in the middle of the desktop.
    const QRect desktop = platform::DesktopRect();
    move(desktop.x() + (desktop.width() - width()) / 2, desktop.y() + (desktop.height() - height()) / 2);
    monitor_ = std::make_unique<platform::DriveChangeMonitor>(hwnd());
    StartWithDrives();
    return true;
}

platform::LRESULT CClockfixDlg::WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) {
    if (msg == platform::WM_DEVICECHANGE) {
        OnDeviceChange();
        return 1;
    }
    return skin::SkinDialog::WindowProc(msg, wParam, lParam);
}

bool CClockfixDlg::OnCommand(int id, platform::UINT code) {
    if (id == IDC_CLOSE && code == platform::BN_CLICKED) {
        EndDialog(platform::IDCANCEL);
        return true;
    }
    if (id == IDC_SET_TIME && code == platform::BN_CLICKED) {
        SetTime();
        return true;
    }
    if (id == IDC_FORMAT && code == platform::BN_CLICKED) {
        FormatCard();
        return true;
    }
    if (id == IDC_DRIVE_LIST && code == platform::CBN_SELCHANGE) {
        OnDriveSelected();
        return true;
    }
    return false;
}

bool CClockfixDlg::PreTranslateMessage(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) {
    if (msg == platform::WM_SYSKEYDOWN && wParam == kVkSpace) {
        OpenSystemMenu(mapToGlobal(QPoint(0, 0)));
        return true;
    }
    return skin::SkinDialog::PreTranslateMessage(msg, wParam, lParam);
}

void CClockfixDlg::contextMenuEvent(QContextMenuEvent* event) { OpenSystemMenu(event->globalPos()); }

void CClockfixDlg::OpenSystemMenu(QPoint globalPos) {
    if (systemMenu_) return;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto add = [this, menu](const char* text, int command) {
        QAction* action = menu->addAction(QString::fromUtf8(text));
        action->setData(command);
        // Queued, so that a modal box opened by the command does not run inside the menu.
        connect(action, &QAction::triggered, this, [this, command] { OnSysCommand(command); }, Qt::QueuedConnection);
    };
    add("닫기(&C)", kCloseCommand);
    menu->addSeparator();
    add(clockfix_res::String(IDS_ABOUTBOX), IDM_ABOUTBOX);
    systemMenu_ = menu;
    menu->popup(globalPos);
}

void CClockfixDlg::OnSysCommand(int command) {
    if (command == IDM_ABOUTBOX) {
        CAboutDlg about(this);
        about.DoModal();
    } else if (command == kCloseCommand) {
        EndDialog(platform::IDCANCEL);
    }
}

int CClockfixDlg::ShowMessage(const char* text) { return platform::MessageBox(this, text, kMessageCaption); }

} // namespace clockfix
