// Window behaviour of the main window: swallowed keys, the message map and its mouse routing.

#include "catalogue/catalogue_messages.h"
#include "player/player_messages.h"
#include "player/tarn_adap.h"
#include "contract/vexplayer_contract.h"
#include "map/map_messages.h"
#include "shell/main_window_areas.h"
#include "shell/main_window_ids.h"
#include "shell/tripdesk_dlg.h"

namespace shell {

namespace {
// Sent by no part of the viewer; whoever sends it sets the player's volume in percent.
constexpr platform::UINT WM_SET_VOLUME = 0x870;
using map::WM_MAP_CLOSED;
using map::WM_SHOW_ALERT;
// The main window's map timer.
constexpr platform::WPARAM kMapTimerId = 100;
} // namespace

bool CTripDeskDlg::PreTranslateMessage(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) {
    if (msg == platform::WM_KEYDOWN && (wParam == platform::VK_RETURN || wParam == platform::VK_ESCAPE))
        return true;
    if (msg == platform::WM_LBUTTONDBLCLK &&
        ToQRect(kChannel2Area).contains(platform::GET_X_LPARAM(lParam), platform::GET_Y_LPARAM(lParam))) {
        OpenMapWindowFromArea();
        return true;
    }
    return platform::Dialog::PreTranslateMessage(msg, wParam, lParam);
}

platform::LRESULT CTripDeskDlg::WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) {
    const int x = platform::GET_X_LPARAM(lParam);
    const int y = platform::GET_Y_LPARAM(lParam);
    switch (msg) {
    case WM_SET_VOLUME:
        SetVolumePercent(static_cast<int>(wParam));
        break;  // then on to normal processing
    case platform::WM_MOVE: {
        const platform::LRESULT result = platform::Dialog::WindowProc(msg, wParam, lParam);
        if (playing_ && adapter_) adapter_->NotifyMoved();
        return result;
    }
    case platform::WM_LBUTTONDOWN:
        OnLButtonDown(x, y);
        return 0;
    case platform::WM_MOUSEMOVE:
        OnMouseMove(x, y);
        return 0;
    case platform::WM_LBUTTONUP:
        OnLButtonUp(x, y);
        return 0;
    case platform::WM_LBUTTONDBLCLK:
        if (!dragging_ && OnLButtonDblClk(x, y)) return 0;
        break;
    case vexplayer::WM_PLAYER_POPUP:
        return OnPlayerPopup(wParam);
    case player::WM_PLAYER_CLIPEND:
        return OnClipEnd(lParam);
    case player::WM_POPUP_CLOSED:
        return OnPopupClosed(wParam);
    case player::WM_PLAYER_USERDATA:
        return OnPlayerUserData();
    case catalogue::WM_FILES_ADD:
        return OnFilesAdd(wParam, lParam);
    case WM_SHOW_ALERT:
        return OnShowAlert(wParam);
    case WM_MAP_CLOSED:
        return OnMapClosed();
    case platform::WM_TIMER:
        if (wParam == kMapTimerId) {
            OnMapTimer();
            return 0;
        }
        break;
    case catalogue::WM_FILES_POPUP_CLOSED:
        return OnFilesPopupClosed(wParam);
    case shell::WM_SAVE_CLIP:
        return OnSaveClip(wParam, lParam);
    default:
        break;
    }
    return platform::Dialog::WindowProc(msg, wParam, lParam);
}

} // namespace shell
