#include "map/web_browser2.h"

#include <QCoreApplication>
#include <QUrl>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include "map/map_page.h"
#include "map/map_scheme.h"
#include "platform/number_text.h"
#include "platform/trace.h"

namespace map {

namespace {

constexpr const char* kAgentPrefix = "TripDesk/1.0 ";

// One profile for every browser of the process, kept in memory only; it lives as long as the
// application object, after the pages (which must go first).
QWebEngineProfile* SharedProfile() {
    static QWebEngineProfile* profile = [] {
        auto* made = new QWebEngineProfile(QCoreApplication::instance());
        made->setHttpUserAgent(QString::fromLatin1(kAgentPrefix) + made->httpUserAgent());
        made->installUrlSchemeHandler(kMapScheme, new MapSchemeHandler(made));
        made->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
        return made;
    }();
    return profile;
}

class BrowserPage : public QWebEnginePage {
public:
    explicit BrowserPage(QObject* parent) : QWebEnginePage(SharedProfile(), parent) {}

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int line, const QString& source) override {
        if (level != ErrorMessageLevel) return;
        platform::Trace("map page: %s (%s:%d)\n", message.toUtf8().constData(),
                        source.toUtf8().constData(), line);
    }
};

} // namespace

bool IsScriptDecimal(std::string_view text) {
    if (!text.empty() && text.front() == '-') text.remove_prefix(1);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    if (whole.empty() || (whole.size() > 1 && whole.front() == '0')) return false;
    const auto digits = [](std::string_view part) {
        return part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!digits(whole)) return false;
    if (point == std::string_view::npos) return true;
    const std::string_view fraction = text.substr(point + 1);
    return !fraction.empty() && digits(fraction);
}

CWebBrowser2::CWebBrowser2(QWidget* parent, const QRect& rect, int controlId)
    : QWebEngineView(parent), controlId_(controlId), bridge_(new MapHostBridge(this)),
      channel_(new QWebChannel(this)) {
    setPage(new BrowserPage(this));
    channel_->registerObject(QStringLiteral("tripdesk"), bridge_);
    page()->setWebChannel(channel_);
    connect(bridge_, &MapHostBridge::entryClicked, this, &CWebBrowser2::routeEntryClicked);
    connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
        loaded_ = ok;
        emit pageLoaded(ok);
    });
    setContextMenuPolicy(Qt::NoContextMenu);
    setGeometry(rect);
    show();
}

void CWebBrowser2::MoveWindow(int x, int y, int width, int height) { setGeometry(x, y, width, height); }

void CWebBrowser2::Navigate(const std::string& address) {
    loaded_ = false;
    load(QUrl::fromLocalFile(QString::fromStdString(address)));
}

bool CWebBrowser2::PushMapPosition(std::string_view latitude, std::string_view longitude) {
    if (!IsScriptDecimal(latitude) || !IsScriptDecimal(longitude)) return false;
    RunScript(QString::fromStdString(platform::FormatText("updateMap('%.*s', '%.*s')", int(latitude.size()),
                                                          latitude.data(), int(longitude.size()),
                                                          longitude.data())));
    return true;
}

void CWebBrowser2::ShowRoute(const std::vector<RoutePoint>& points) {
    std::string list = "[";
    for (const RoutePoint& point : points) {
        if (list.size() > 1) list += ',';
        list += platform::FormatText("[%.6f,%.6f,%d]", point.latitude, point.longitude, point.entry);
    }
    list += ']';
    RunScript(QString::fromStdString("tripdeskShowRoute(" + list + ")"));
}

void CWebBrowser2::RunScript(const QString& script) {
    // A script that throws reports to the console like the page's own errors.
    page()->runJavaScript(QStringLiteral("try { %1 } catch (e) { console.error(String(e)); }").arg(script));
}

} // namespace map
