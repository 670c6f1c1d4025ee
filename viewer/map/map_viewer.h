#pragma once
// The map window: a 520 x 470 borderless window with its own map browser, opened from the main
// window at its position; after seven seconds of timer 200 (the page's map script has loaded)
// timer 100 moves the marker to the latest position every 1.2 s, while playback is not paused
// (resting while the position stays).
// The main window deletes it after WM_MAP_CLOSED; deleting it removes the page file.
// User-interface thread only.

#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "map/map_messages.h"
#include "map/map_page.h"
#include "map/marker_moves.h"
#include "map/web_browser2.h"
#include "platform/dialog.h"

namespace map {

class MapViewer : public platform::Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 110;
    static constexpr unsigned kWaitTimerId = 200;
    static constexpr unsigned kUpdateTimerId = 100;
    static constexpr int kCloseButtonId = 1057;
    static constexpr platform::UINT WM_SHOW_ALERT = map::WM_SHOW_ALERT;
    static constexpr platform::UINT WM_MAP_CLOSED = map::WM_MAP_CLOSED;

    // owner: the main window, which receives the alert and close messages.
    MapViewer(platform::HWND owner, QWidget* parent = nullptr);
    ~MapViewer() override;

    // Places and shows the window near the main window at (x, y) and loads its page; paused: the
    // playback's pause state. 1 when the page is loading, 0 when it cannot be written or there is
    // no connection (the owner then got the alert).
    int ShowMap(int x, int y, bool paused);

    // The playback's pause state changed: updates stop or resume.
    void ToggleMapUpdates();

    // The texts of a decoded position.
    void SetPosition(const std::string& latitude, const std::string& longitude);

    // The route drawn on the page, now when the page is loaded and after every load.
    void SetRoute(std::vector<RoutePoint> points);
    // Runs when the user clicks the drawn route, with the GPS entry of the nearest point.
    void SetRouteClicked(std::function<void(int)> routeClicked) { routeClicked_ = std::move(routeClicked); }

    CWebBrowser2* browser() const { return browser_; }
    bool updating() const { return updates_; }
    bool shown() const { return shown_; }
    int ticks() const { return ticks_; }
    const MapPage& page() const { return page_; }
    const QImage& backBuffer() const { return backBuffer_; }

protected:
    int OnCreate() override;
    bool OnCommand(int id, platform::UINT code) override;
    platform::LRESULT WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) override;
    void OnEraseBackground(QPainter& painter) override;

private:
    void OnWaitTick();
    void OnUpdateTick();
    // No connection while updating: updates stop, the owner shows the alert, the window hides.
    void GiveUpOffline(unsigned timerId);
    void Close();

    platform::HWND owner_;
    CWebBrowser2* browser_ = nullptr;   // a child of this window, made on the first ShowMap
    std::string latitude_ = "0.0";
    std::string longitude_ = "0.0";
    MapPage page_;
    std::int32_t ticks_ = 0;
    bool updates_ = false;
    bool shown_ = false;
    bool paused_ = false;
    MarkerMoves markerMoves_;
    QImage backBuffer_;
    std::vector<RoutePoint> route_;
    std::function<void(int)> routeClicked_;
};

} // namespace map
