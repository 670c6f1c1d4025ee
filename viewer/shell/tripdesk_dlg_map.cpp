// The map of one-channel playback: the embedded map in the channel-2 area and the map window.
// A viewer built without Qt WebEngine has no map: these then do nothing.

#include "shell/tripdesk_dlg.h"

#ifdef TRIPDESK_HAVE_MAP
#include "map/main_window_map.h"
#include "map/map_viewer.h"
#include "player/tarn_adap.h"
#include "telemetry/user_data_presenter.h"
#endif

namespace shell {

#ifdef TRIPDESK_HAVE_MAP

namespace {
constexpr int kNoConnectionAlert = 4;
} // namespace

void CTripDeskDlg::CreateMap() {
    mainMap_ = new map::MainWindowMap(*this, [this] { OnShowAlert(kNoConnectionAlert); });
    mainMap_->SetDoubleClicked([this] { OpenMapWindowFromArea(); });
    mainMap_->SetRouteClicked([this](int entry) { SeekToRouteEntry(entry); });
    presenter_->SetMapHandOver([this](const std::string& latitude, const std::string& longitude) {
        mainMap_->SetPosition(latitude, longitude);
        if (mapViewer_ && mapViewer_->shown()) mapViewer_->SetPosition(latitude, longitude);
    });
}

void CTripDeskDlg::ShowMapPage() { mainMap_->ShowPage(); }

void CTripDeskDlg::OnMapTimer() { mainMap_->OnTimer(); }

void CTripDeskDlg::MakeMapWindow() {
    if (mapViewer_) return;
    mapViewer_ = new map::MapViewer(hwnd(), this);
    mapViewer_->SetRoute(mainMap_->route().points());
    mapViewer_->SetRouteClicked([this](int entry) { SeekToRouteEntry(entry); });
}

void CTripDeskDlg::LoadMapRoute(const std::string& frontPath) {
    mainMap_->LoadRoute(frontPath);
    if (mapViewer_) mapViewer_->SetRoute(mainMap_->route().points());
}

void CTripDeskDlg::SeekToRouteEntry(int entry) {
    const map::RouteTrack& route = mainMap_->route();
    if (!PlayingWithAdapter() || route.entryCount() == 0 || entry < 0) return;
    if (route.path() != list_.currentPath()) return;
    const int length = adapter_->lengthSeconds;
    const double seconds = static_cast<double>(entry) * length / route.entryCount();
    const int position = telemetry::UserDataPresenter::ProgressPosition(static_cast<int>(seconds), length).value_or(0);
    SeekLikeProgressClick(position, seconds);
}

void CTripDeskDlg::CmdMap() {
    if (!playing_) return;
    MakeMapWindow();
    mapViewer_->SetPosition(mainMap_->latitude(), mainMap_->longitude());
    mapViewer_->ShowMap(mainPlacement_.x(), mainPlacement_.y(), paused_);
}

void CTripDeskDlg::OpenMapWindowFromArea() {
    if (!playing_ || mapWindowOpen_) return;
    MakeMapWindow();
    mainMap_->StopUpdates();
    mapWindowOpen_ = true;
    mapViewer_->SetPosition(mainMap_->latitude(), mainMap_->longitude());
    mapViewer_->ShowMap(mainPlacement_.x(), mainPlacement_.y(), paused_);
}

void CTripDeskDlg::MapPauseChanged() {
    if (mapViewer_) mapViewer_->ToggleMapUpdates();
}

void CTripDeskDlg::DeleteMapWindow() {
    delete mapViewer_;
    mapViewer_ = nullptr;
    if (mainMap_ && !destroyed_) mainMap_->Rearm();
}

#else

void CTripDeskDlg::CreateMap() {}
void CTripDeskDlg::ShowMapPage() {}
void CTripDeskDlg::OnMapTimer() {}
void CTripDeskDlg::CmdMap() {}
void CTripDeskDlg::OpenMapWindowFromArea() {}
void CTripDeskDlg::MapPauseChanged() {}
void CTripDeskDlg::DeleteMapWindow() {}
void CTripDeskDlg::LoadMapRoute(const std::string&) {}
void CTripDeskDlg::SeekToRouteEntry(int) {}
void CTripDeskDlg::MakeMapWindow() {}

#endif

} // namespace shell
