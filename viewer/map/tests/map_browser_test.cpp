#include "map/web_browser2.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "gui_support.h"
#include "map/map_page.h"
#include "map/map_scheme.h"
#include "page_script.h"
#include "test_folders.h"
#include "tile_stub.h"

namespace map {
namespace {

namespace fs = std::filesystem;
using map::test::EvaluateScript;
using map::test::ScriptNumber;
using tripdesk::test::WaitUntil;

class MapBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedTiles_ = qgetenv("TRIPDESK_MAP_TILES");
        savedFolder_ = MapPageFolder();
        qputenv("TRIPDESK_MAP_TILES", tiles_.addressTemplate());
        OverrideMapPageFolder(tripdesk::test::FreshFolder("page"));
        host_.resize(994, 600);
        host_.show();
        browser_ = std::make_unique<CWebBrowser2>(&host_, QRect(0, 0, 480, 360), 1010);
        testing::internal::CaptureStdout();
    }
    void TearDown() override {
        // The capture also held the failure reports of the test itself.
        const std::string trace = testing::internal::GetCapturedStdout();
        EXPECT_EQ(trace.find("map page:"), std::string::npos);
        if (HasFailure()) std::fputs(trace.c_str(), stdout);
        browser_.reset();
        OverrideMapPageFolder(savedFolder_);
        SetLeafletFolderForTests({});
        qputenv("TRIPDESK_MAP_TILES", savedTiles_);
    }

    // Writes the page of the variant and loads it; true once it loaded.
    bool Load(MapPageVariant variant, const char* latitude, const char* longitude) {
        if (!page_.WriteMapPage(variant, latitude, longitude)) return false;
        browser_->Navigate(page_.pageAddress());
        return WaitUntil([this] { return browser_->loaded(); });
    }

    double Number(const char* script) { return ScriptNumber(*browser_, QString::fromLatin1(script)); }

    tripdesk::test::TileStub tiles_;
    QWidget host_;
    MapPage page_;
    std::unique_ptr<CWebBrowser2> browser_;
    QByteArray savedTiles_;
    fs::path savedFolder_;
};

TEST_F(MapBrowserTest, PageCentresMarkerAndAsksTilesWithOurAgent) {
    EXPECT_EQ(browser_->controlId(), 1010);
    EXPECT_TRUE(browser_->isVisible());
    browser_->MoveWindow(514, 88, 480, 360);
    EXPECT_EQ(browser_->geometry(), QRect(514, 88, 480, 360));

    ASSERT_TRUE(Load(MapPageVariant::MainWindow, "37.552057", "126.992797"));
    EXPECT_NEAR(Number("map.getCenter().lat()"), 37.552057, 1e-6);
    EXPECT_NEAR(Number("map.getCenter().lng()"), 126.992797, 1e-6);
    EXPECT_NEAR(Number("marker.getLatLng().lat()"), 37.552057, 1e-6);
    EXPECT_NEAR(Number("marker.getLatLng().lng()"), 126.992797, 1e-6);
    EXPECT_EQ(Number("map.getZoom()"), 15);
    EXPECT_EQ(Number("document.querySelectorAll('.leaflet-top.leaflet-left .leaflet-control-zoom').length"), 1);
    EXPECT_EQ(EvaluateScript(*browser_, "document.querySelector('.leaflet-top.leaflet-right .tripdesk-map-type')"
                                        ".textContent").value_or(QVariant()).toString(),
              QString::fromUtf8("지도흑백"));
    EXPECT_EQ(Number("document.getElementById('map_canvas').offsetWidth"), 438);
    EXPECT_TRUE(EvaluateScript(*browser_, "document.querySelector('.leaflet-control-attribution').textContent")
                    .value_or(QVariant()).toString().contains(QString::fromUtf8("© OpenStreetMap contributors")));

    ASSERT_TRUE(WaitUntil([this] { return tiles_.paths().contains("/15/27943/12691.png"); }));
    ASSERT_FALSE(tiles_.agents().isEmpty());
    EXPECT_TRUE(tiles_.agents().first().startsWith("TripDesk/1.0 Mozilla/")) << tiles_.agents().first().toStdString();
    // The grey map type turns the tiles grey, the plain one back.
    const auto tileFilter = [this] {
        return EvaluateScript(*browser_, "map.leaflet.getPane('tilePane').style.filter").value_or(QVariant()).toString().toStdString();
    };
    EvaluateScript(*browser_, "document.querySelector('.tripdesk-map-type-grey').click()");
    EXPECT_EQ(tileFilter(), "grayscale(100%)");
    EvaluateScript(*browser_, "document.querySelector('.tripdesk-map-type-plain').click()");
    EXPECT_EQ(tileFilter(), "");
}

TEST_F(MapBrowserTest, UpdateMapMovesMarkerAndCentreKeepingTheZoom) {
    ASSERT_TRUE(Load(MapPageVariant::MapWindow, "0.0", "0.0"));
    EXPECT_NEAR(Number("map.getCenter().lat()"), 0.0, 1e-9);
    EvaluateScript(*browser_, "map.setZoom(13)");

    ASSERT_TRUE(browser_->PushMapPosition("-33.868820", "151.209290"));
    ASSERT_TRUE(WaitUntil([this] { return std::abs(Number("marker.getLatLng().lat()") + 33.868820) < 1e-6; }));
    EXPECT_NEAR(Number("marker.getLatLng().lng()"), 151.209290, 1e-6);
    EXPECT_NEAR(Number("map.getCenter().lat()"), -33.868820, 1e-6);
    EXPECT_NEAR(Number("map.getCenter().lng()"), 151.209290, 1e-6);
    EXPECT_EQ(Number("map.getZoom()"), 13);
    EXPECT_EQ(Number("document.querySelectorAll('.leaflet-marker-icon').length"), 1);

    // A step of a few metres, as between two pictures, lands exactly too (a pan would not).
    ASSERT_TRUE(browser_->PushMapPosition("-33.868900", "151.209400"));
    ASSERT_TRUE(WaitUntil([this] { return std::abs(Number("marker.getLatLng().lat()") + 33.8689) < 1e-9; }));
    EXPECT_NEAR(Number("map.getCenter().lat()"), -33.868900, 1e-7);
    EXPECT_NEAR(Number("map.getCenter().lng()"), 151.209400, 1e-7);
    EXPECT_EQ(Number("map.getZoom()"), 13);

    // Longitude wraps into -180..180, latitude is clamped.
    ASSERT_TRUE(browser_->PushMapPosition("95.0", "200.0"));
    ASSERT_TRUE(WaitUntil([this] { return std::abs(Number("marker.getLatLng().lng()") + 160.0) < 1e-9; }));
    EXPECT_EQ(Number("marker.getLatLng().lat()"), 90.0);
    EXPECT_EQ(Number("new GLatLng('10', '-190').lng()"), 170.0);
    EXPECT_EQ(Number("new GLatLng('-91', '180').lat()"), -90.0);
    EXPECT_EQ(Number("new GLatLng('-91', '180').lng()"), 180.0);
}

TEST_F(MapBrowserTest, PushRunsNothingForTextsThatAreNoDecimal) {
    ASSERT_TRUE(Load(MapPageVariant::MainWindow, "10.5", "20.5"));
    for (const char* text : {"", "-033.868820", "1e5", "+1.0", "1.", ".5", "1');alert('x", "0x10", "--1"}) {
        EXPECT_FALSE(browser_->PushMapPosition(text, "1.0")) << text;
        EXPECT_FALSE(browser_->PushMapPosition("1.0", text)) << text;
    }
    for (const char* text : {"0", "0.0", "-0.5", "37.552057", "-126.992797", "180"}) EXPECT_TRUE(IsScriptDecimal(text)) << text;
    EXPECT_NEAR(Number("marker.getLatLng().lat()"), 10.5, 1e-9);
}

TEST_F(MapBrowserTest, NavigatingAgainUnloadsWithoutErrors) {
    ASSERT_TRUE(Load(MapPageVariant::MainWindow, "1.0", "2.0"));
    ASSERT_TRUE(Load(MapPageVariant::MapWindow, "3.0", "4.0"));
    EXPECT_NEAR(Number("marker.getLatLng().lng()"), 4.0, 1e-9);
    EXPECT_EQ(Number("document.getElementById('map_canvas').offsetHeight"), 398);
    // A failing script the host runs reaches the trace (checked here, then cleared).
    browser_->RunScript("noSuchFunction()");
    tripdesk::test::PumpFor(std::chrono::milliseconds(300));
    const std::string trace = testing::internal::GetCapturedStdout();
    EXPECT_NE(trace.find("map page: ReferenceError: noSuchFunction is not defined"), std::string::npos) << trace;
    testing::internal::CaptureStdout();
}

TEST_F(MapBrowserTest, RouteLineUnderTheMarkerAnswersARealClickWithTheNearestEntry) {
    ASSERT_TRUE(Load(MapPageVariant::MainWindow, "37.552057", "126.992797"));
    // Early calls wait for the map: a route given before the page exists is drawn by it, so is
    // an empty one (no line).
    browser_->ShowRoute({});
    EXPECT_EQ(Number("map.routeLine ? 1 : 0"), 0);
    browser_->ShowRoute({{37.552057, 126.992797, 0}, {37.553, 126.994, 5}, {37.554, 126.995, 9}});
    ASSERT_TRUE(WaitUntil([this] { return Number("map.routeLine ? map.routeLine.getLatLngs().length : 0") == 3; }));
    EXPECT_EQ(Number("map.getZoom()"), 15);
    EXPECT_NEAR(Number("map.getCenter().lat()"), 37.552057, 1e-6);
    EXPECT_EQ(EvaluateScript(*browser_, "map.routeLine.getPane().className").value_or(QVariant()).toString().toStdString(),
              "leaflet-pane leaflet-overlay-pane") << "below the marker's pane";

    std::vector<int> clicked;
    QObject::connect(browser_.get(), &CWebBrowser2::routeEntryClicked, [&clicked](int entry) { clicked.push_back(entry); });
    tripdesk::test::PumpFor(std::chrono::milliseconds(300));   // the page's channel connects
    // A few pixels beside the line near its second point, where a user would click.
    // In the view: the canvas lies inside the page body's margin.
    const QPoint second(
        static_cast<int>(Number("map.leaflet.latLngToContainerPoint([37.553, 126.994]).x + "
                                "map_canvas.getBoundingClientRect().left")),
        static_cast<int>(Number("map.leaflet.latLngToContainerPoint([37.553, 126.994]).y + "
                                "map_canvas.getBoundingClientRect().top")));
    ASSERT_NE(browser_->focusProxy(), nullptr);
    QTest::mouseClick(browser_->focusProxy(), Qt::LeftButton, {}, second + QPoint(3, 0));
    ASSERT_TRUE(WaitUntil([&clicked] { return !clicked.empty(); }, std::chrono::seconds(5)));
    EXPECT_EQ(clicked, std::vector<int>{5});
    // Far from the line nothing is asked.
    QTest::mouseClick(browser_->focusProxy(), Qt::LeftButton, {}, QPoint(400, 300));
    tripdesk::test::PumpFor(std::chrono::milliseconds(300));
    EXPECT_EQ(clicked.size(), 1u);
}

TEST_F(MapBrowserTest, SchemeServesTheStyleAndImagesAndNothingElse) {
    ASSERT_TRUE(Load(MapPageVariant::MainWindow, "1.0", "2.0"));
    // The marker's picture and the style that places the controls came from our scheme.
    ASSERT_TRUE(WaitUntil([this] { return Number("document.querySelector('.leaflet-marker-icon').naturalWidth") == 25; }));
    EXPECT_EQ(EvaluateScript(*browser_, "getComputedStyle(document.querySelector('.leaflet-container')).overflow")
                  .value_or(QVariant()).toString().toStdString(), "hidden");
    const auto loads = [this](const char* address) {
        EvaluateScript(*browser_, QString("window.probe = 'pending'; var i = new Image(); i.onload = function () "
                                          "{ window.probe = 'loaded'; }; i.onerror = function () { window.probe = "
                                          "'refused'; }; i.src = '%1';").arg(address));
        WaitUntil([this] { return EvaluateScript(*browser_, "window.probe").value_or(QVariant()).toString() != "pending"; });
        return EvaluateScript(*browser_, "window.probe").value_or(QVariant()).toString().toStdString();
    };
    EXPECT_EQ(loads("tripdesk-map://api/leaflet/images/layers.png"), "loaded");
    // Only pictures that are there, on our host.
    EXPECT_EQ(loads("tripdesk-map://api/leaflet/images/none.png"), "refused");
    EXPECT_EQ(loads("tripdesk-map://other/leaflet/images/layers.png"), "refused");
}

TEST_F(MapBrowserTest, WithoutLeafletThePageStaysEmpty) {
    SetLeafletFolderForTests(tripdesk::test::FreshFolder("no-leaflet"));
    ASSERT_TRUE(Load(MapPageVariant::MainWindow, "37.552057", "126.992797"));
    EXPECT_EQ(EvaluateScript(*browser_, "GBrowserIsCompatible()").value_or(QVariant(true)).toBool(), false);
    EXPECT_EQ(EvaluateScript(*browser_, "typeof map").value_or(QVariant()).toString(), "undefined");
    EXPECT_EQ(Number("document.querySelectorAll('.leaflet-container').length"), 0);
    EXPECT_TRUE(browser_->PushMapPosition("1.0", "2.0"));
    tripdesk::test::PumpFor(std::chrono::milliseconds(300));
    EXPECT_TRUE(tiles_.paths().isEmpty());
}

} // namespace
} // namespace map
