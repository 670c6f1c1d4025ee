#pragma once
// The map browser: a Qt WebEngine view as a visible child window with a control id, loading the
// map page from a file and moving its marker by running the page's updateMap. Every browser
// shares one off-the-record profile that answers the map scheme; the page's script errors go to
// the trace. The page reaches the host through the web channel object "tripdesk".

#include <QObject>
#include <QRect>
#include <QWebEngineView>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QWebChannel;

namespace map {

// A point of the route: latitude, longitude, and the GPS entry it was decoded from.
struct RoutePoint {
    double latitude = 0.0;
    double longitude = 0.0;
    int entry = 0;
};

// The object the page calls as "tripdesk".
class MapHostBridge : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    Q_INVOKABLE void seekToEntry(int entry) { emit entryClicked(entry); }
signals:
    void entryClicked(int entry);
};

// A text updateMap may be given: an optional '-', digits without a leading zero pad, and an
// optional fraction ("37.552057", "-0.5", "0.0").
bool IsScriptDecimal(std::string_view text);

// The control id both hosts give their map browser.
inline constexpr int kMapBrowserId = 1010;

class CWebBrowser2 : public QWebEngineView {
    Q_OBJECT
public:
    // Created as a visible child of parent at rect (parent client coordinates).
    CWebBrowser2(QWidget* parent, const QRect& rect, int controlId);

    int controlId() const { return controlId_; }
    void MoveWindow(int x, int y, int width, int height);

    // Loads the file at address (a full path).
    void Navigate(const std::string& address);

    // Runs updateMap('lat', 'lng'); false (nothing run) when a text is no script decimal.
    bool PushMapPosition(std::string_view latitude, std::string_view longitude);

    // Runs tripdeskShowRoute([[lat, lng, entry], ...]).
    void ShowRoute(const std::vector<RoutePoint>& points);

    // Runs any script in the page; its errors reach the trace like the page's own.
    void RunScript(const QString& script);

    bool loaded() const { return loaded_; }

signals:
    // The page of the last Navigate finished loading (ok false when it failed).
    void pageLoaded(bool ok);
    // The user clicked the route at the point of this GPS entry.
    void routeEntryClicked(int entry);

private:
    int controlId_;
    bool loaded_ = false;
    MapHostBridge* bridge_;
    QWebChannel* channel_;
};

} // namespace map
