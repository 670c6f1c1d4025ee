// The map in the channel-2 area of one-channel playback. A viewer built without Qt WebEngine
// has no map: these then do nothing.

#include "shell/tripdesk_dlg.h"

#ifdef TRIPDESK_HAVE_MAP
#include "map/main_window_map.h"
#include "settings/setting_popup.h"
#include "telemetry/user_data_presenter.h"
#endif

namespace shell {

#ifdef TRIPDESK_HAVE_MAP

namespace {
constexpr int kNoConnectionAlert = 4;
} // namespace

void CTripDeskDlg::CreateMap() {
    mainMap_ = new map::MainWindowMap(*this, [this] { OnShowAlert(kNoConnectionAlert); });
    presenter_->SetMapHandOver([this](const std::string& latitude, const std::string& longitude) {
        mainMap_->SetPosition(latitude, longitude);
    });
}

void CTripDeskDlg::ShowMapPage() { mainMap_->ShowPage(); }

void CTripDeskDlg::OnMapTimer() { mainMap_->OnTimer(); }

#else

void CTripDeskDlg::CreateMap() {}
void CTripDeskDlg::ShowMapPage() {}
void CTripDeskDlg::OnMapTimer() {}

#endif

} // namespace shell
