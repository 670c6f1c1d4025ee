#pragma once
// The map in the main window's channel-2 area, when one channel is played: the page written and
// loaded at every opened recording, and the host's timer that moves the marker once the page's
// map script had time to load (the timer rests while the position stays). It keeps its own copy of the position texts, set by the hand-over
// of each decoded position. User-interface thread only.

#include <QObject>
#include <functional>
#include <memory>
#include <string>

#include "map/map_page.h"
#include "map/marker_moves.h"
#include "map/route_track.h"

namespace platform {
class Window;
}

namespace map {

class CWebBrowser2;

class MainWindowMap : public QObject {
public:
    static constexpr unsigned kTimerId = 100;
    static constexpr int kTimerMs = 1200;
    // Ticks that only count before the first position update.
    static constexpr int kCountedTicks = 8;

    // host: the main window, which owns this, the browser and the timer; offlineAlert: shows the
    // alert of a missing Internet connection.
    MainWindowMap(platform::Window& host, std::function<void()> offlineAlert);

    // A recording was opened: browser made once and placed, page written, loaded when online.
    void ShowPage();
    // Timer 100 of the host.
    void OnTimer();
    // The texts of a decoded position.
    void SetPosition(const std::string& latitude, const std::string& longitude);
    // The map window takes over: timer 100 stops for good.
    void StopUpdates();
    // The map window closed: a loaded page moves its marker again from the next tick on.
    void Rearm();
    // The route of the recording at path, drawn on every page loaded from now on.
    void LoadRoute(const std::string& path);
    const RouteTrack& route() const { return route_; }
    // Runs when the user clicks the drawn route, with the GPS entry of the nearest point.
    void SetRouteClicked(std::function<void(int)> routeClicked) { routeClicked_ = std::move(routeClicked); }
    // Runs on a left double-click on the embedded browser, which the page then does not see.
    void SetDoubleClicked(std::function<void()> doubleClicked) { doubleClicked_ = std::move(doubleClicked); }

    CWebBrowser2* browser() const { return browser_; }
    const std::string& latitude() const { return latitude_; }
    const std::string& longitude() const { return longitude_; }
    int ticks() const { return ticks_; }
    const MapPage& page() const { return page_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    platform::Window& host_;
    std::function<void()> offlineAlert_;
    std::function<void()> doubleClicked_;
    std::function<void(int)> routeClicked_;
    RouteTrack route_;
    CWebBrowser2* browser_ = nullptr;   // a child of the host
    MapPage page_;
    std::string latitude_ = "0.0";
    std::string longitude_ = "0.0";
    int ticks_ = 0;
    MarkerMoves markerMoves_;
};

} // namespace map
