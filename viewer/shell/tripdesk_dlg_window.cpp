// Window behaviour of the main window: swallowed keys, the caption band, moves.

#include <QGuiApplication>

#include "shell/tripdesk_dlg.h"

namespace shell {

bool CTripDeskDlg::PreTranslateMessage(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) {
    if (msg == platform::WM_KEYDOWN && (wParam == platform::VK_RETURN || wParam == platform::VK_ESCAPE))
        return true;
    return platform::Dialog::PreTranslateMessage(msg, wParam, lParam);
}

platform::LRESULT CTripDeskDlg::WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) {
    return platform::Dialog::WindowProc(msg, wParam, lParam);
}

bool CTripDeskDlg::OnCommand(int id, platform::UINT code) {
    if (code != platform::BN_CLICKED) return false;
    switch (id) {
    case 1001:
        showMinimized();
        return true;
    case 1002:
        CloseCommand();
        return true;
    default:
        return false;
    }
}

} // namespace shell
