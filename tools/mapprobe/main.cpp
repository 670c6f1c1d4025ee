// mapprobe: the map page in a real map browser, outside the viewer. Exit 1 on any failure.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWidget>
#include <cstdio>
#include <functional>
#include <optional>

#include "map/map_page.h"
#include "map/map_scheme.h"
#include "map/route_track.h"
#include "map/web_browser2.h"
#include "probe_options.h"

namespace {

using map::CWebBrowser2;

// Runs the event loop until condition holds or limitMs pass.
bool RunUntil(const std::function<bool()>& condition, int limitMs) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > limitMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

std::optional<QVariant> Evaluate(CWebBrowser2& browser, const QString& script) {
    std::optional<QVariant> result;
    browser.page()->runJavaScript(script, [&result](const QVariant& value) { result = value; });
    if (!RunUntil([&result] { return result.has_value(); }, 10000)) return std::nullopt;
    return result;
}

double Number(CWebBrowser2& browser, const char* script) {
    return Evaluate(browser, script).value_or(QVariant(0.0)).toDouble();
}

bool Report(CWebBrowser2& browser) {
    if (!Evaluate(browser, "typeof map === 'object' && typeof marker === 'object'").value_or(false).toBool()) {
        std::fprintf(stderr, "mapprobe: the page made no map\n");
        return false;
    }
    std::printf("center %.6f %.6f zoom %d marker %.6f %.6f\n", Number(browser, "map.getCenter().lat()"),
                Number(browser, "map.getCenter().lng()"), static_cast<int>(Number(browser, "map.getZoom()")),
                Number(browser, "marker.getLatLng().lat()"), Number(browser, "marker.getLatLng().lng()"));
    return true;
}

// Presses the zoom buttons as a user would, one step at a time.
bool ZoomTo(CWebBrowser2& browser, int zoom) {
    for (int step = 0; step < 20; ++step) {
        const int now = static_cast<int>(Number(browser, "map.getZoom()"));
        if (now == zoom) return true;
        const char* button = now < zoom ? ".leaflet-control-zoom-in" : ".leaflet-control-zoom-out";
        Evaluate(browser, QString("document.querySelector('%1').click()").arg(button));
        RunUntil([&] { return static_cast<int>(Number(browser, "map.getZoom()")) != now; }, 2000);
    }
    return false;
}

int Probe(const mapprobe::ProbeOptions& options) {
    const map::MapPageVariant variant = options.window ? map::MapPageVariant::MapWindow : map::MapPageVariant::MainWindow;
    QTemporaryDir scratch;
    map::OverrideMapPageFolder(options.writeFolder.empty() ? scratch.path().toStdString() : options.writeFolder);
    map::MapPage page;
    if (!page.WriteMapPage(variant, options.latitude, options.longitude)) {
        std::fprintf(stderr, "mapprobe: cannot write the page\n");
        return 1;
    }
    if (!options.writeFolder.empty()) {
        std::printf("page %s\n", page.pageAddress().c_str());
        return 0;
    }

    // The host's client area and the browser's place in it.
    QWidget host;
    host.resize(options.window ? QSize(520, 470) : QSize(480, 360));
    CWebBrowser2* browser = new CWebBrowser2(&host, options.window ? QRect(5, 35, 510, 430) : QRect(0, 0, 480, 360), map::kMapBrowserId);
    host.show();
    QElapsedTimer clock;
    clock.start();
    browser->Navigate(page.pageAddress());
    if (!RunUntil([browser] { return browser->loaded(); }, 30000)) {
        std::fprintf(stderr, "mapprobe: the page did not load\n");
        return 1;
    }
    const qint64 loadMs = clock.elapsed();
    const bool tiled = RunUntil([browser] { return Number(*browser, "document.querySelectorAll('img.leaflet-tile-loaded').length") > 0; }, 15000);
    const qint64 tileMs = clock.elapsed();
    if (!Report(*browser)) return 1;
    if (options.zoom && !ZoomTo(*browser, *options.zoom)) {
        std::fprintf(stderr, "mapprobe: cannot zoom to %d\n", *options.zoom);
        return 1;
    }
    if (!options.latitude2.empty()) {
        if (!browser->PushMapPosition(options.latitude2, options.longitude2)) {
            std::fprintf(stderr, "mapprobe: LAT2 and LON2 must be decimals\n");
            return 1;
        }
        Evaluate(*browser, "0");   // after the update ran
    }
    if (!Report(*browser)) return 1;
    map::RouteTrack route;
    if (!options.routeFile.empty()) route.Load(options.routeFile);
    browser->ShowRoute(route.points());
    std::printf("route %d\n", static_cast<int>(Number(*browser, "map.routeLine ? map.routeLine.getLatLngs().length : 0")));
    // Leaflet fades tiles in: the picture waits for the fade to end.
    RunUntil([] { return false; }, 500);
    if (!options.pngFile.empty() && !browser->grab().save(QString::fromStdString(options.pngFile))) {
        std::fprintf(stderr, "mapprobe: cannot save %s\n", options.pngFile.c_str());
        return 1;
    }
    std::printf("load %lld ms\n", static_cast<long long>(loadMs));
    if (tiled) std::printf("first tile %lld ms\n", static_cast<long long>(tileMs));
    else std::printf("first tile none\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    map::RegisterMapScheme();
    QApplication app(argc, argv);
    const std::optional<mapprobe::ProbeOptions> options = mapprobe::ParseProbeOptions(argc, argv);
    if (!options) return 1;
    const int result = Probe(*options);
    std::fflush(stdout);
    return result;
}
