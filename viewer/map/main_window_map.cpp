#include "map/main_window_map.h"

#include "map/web_browser2.h"
#include "platform/connection.h"
#include "platform/window.h"

#include <QMouseEvent>
#include <QRect>

namespace map {

namespace {
const QRect kBrowserMade(0, 0, 480, 360);
const QRect kBrowserPlace(514, 88, 480, 360);
} // namespace

MainWindowMap::MainWindowMap(platform::Window& host, std::function<void()> offlineAlert)
    : QObject(&host), host_(host), offlineAlert_(std::move(offlineAlert)) {}

void MainWindowMap::ShowPage() {
    if (!browser_) {
        browser_ = new CWebBrowser2(&host_, kBrowserMade, kMapBrowserId);
        // The view's input widget is made with its first page.
        connect(browser_, &CWebBrowser2::pageLoaded, this, [this] {
            if (QWidget* input = browser_->focusProxy()) input->installEventFilter(this);
            browser_->ShowRoute(route_.points());
        });
        connect(browser_, &CWebBrowser2::routeEntryClicked, this, [this](int entry) {
            if (routeClicked_) routeClicked_(entry);
        });
    }
    browser_->MoveWindow(kBrowserPlace.x(), kBrowserPlace.y(), kBrowserPlace.width(), kBrowserPlace.height());
    if (latitude_.empty() || longitude_.empty()) latitude_ = longitude_ = "0.0";
    if (!page_.WriteMapPage(MapPageVariant::MainWindow, latitude_, longitude_)) return;
    if (!platform::InternetGetConnectedState()) {
        markerMoves_.Forget();
        offlineAlert_();
        return;
    }
    browser_->Navigate(page_.pageAddress());
    markerMoves_.NewPage();
    ticks_ = 0;
    host_.SetTimer(kTimerId, kTimerMs);
}

void MainWindowMap::OnTimer() {
    if (!platform::InternetGetConnectedState()) {
        host_.KillTimer(kTimerId);
        offlineAlert_();
        return;
    }
    if (ticks_ < kCountedTicks) {
        ++ticks_;
        return;
    }
    if (!browser_) return;
    if (!markerMoves_.TakeTick(latitude_, longitude_)) {
        host_.KillTimer(kTimerId);
        return;
    }
    browser_->PushMapPosition(latitude_, longitude_);
}

void MainWindowMap::LoadRoute(const std::string& path) { route_.Load(path); }

void MainWindowMap::StopUpdates() {
    host_.KillTimer(kTimerId);
    markerMoves_.Forget();
}

void MainWindowMap::Rearm() {
    if (!browser_ || !browser_->loaded()) return;
    ticks_ = kCountedTicks;
    markerMoves_.Forget();
    host_.SetTimer(kTimerId, kTimerMs);
}

bool MainWindowMap::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonDblClick || !doubleClicked_) return QObject::eventFilter(watched, event);
    if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
    doubleClicked_();
    return true;
}

void MainWindowMap::SetPosition(const std::string& latitude, const std::string& longitude) {
    latitude_ = latitude;
    longitude_ = longitude;
    if (markerMoves_.WakeOn(latitude_, longitude_)) host_.SetTimer(kTimerId, kTimerMs);
}

} // namespace map
