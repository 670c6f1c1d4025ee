#include "map/map_viewer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "gui_support.h"
#include "map/web_browser2.h"
#include "page_script.h"
#include "platform/bitmap_button.h"
#include "platform/connection.h"
#include "platform/messages.h"
#include "recorder_window.h"
#include "test_folders.h"

namespace map {
namespace {

namespace fs = std::filesystem;
using tripdesk::test::RecorderWindow;
using tripdesk::test::WaitUntil;

class MapViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedFolder_ = MapPageFolder();
        pageFolder_ = tripdesk::test::FreshFolder("viewer-page");
        OverrideMapPageFolder(pageFolder_);
        platform::ForceConnectedStateForTests(true);
        viewer_ = std::make_unique<MapViewer>(owner_.hwnd());
    }
    void TearDown() override {
        viewer_.reset();
        platform::ForceConnectedStateForTests(std::nullopt);
        OverrideMapPageFolder(savedFolder_);
    }

    void WaitTicks(int n) {
        for (int i = 0; i < n; ++i) viewer_->Dispatch(platform::WM_TIMER, MapViewer::kWaitTimerId, 0);
    }
    void UpdateTicks(int n) {
        for (int i = 0; i < n; ++i) viewer_->Dispatch(platform::WM_TIMER, MapViewer::kUpdateTimerId, 0);
    }
    std::size_t Alerts() const {
        std::size_t n = 0;
        for (const auto& m : owner_.Of(MapViewer::WM_SHOW_ALERT)) n += m.wParam == 4 && m.lParam == 0;
        return n;
    }
    double MarkerLatitude() { return test::ScriptNumber(*viewer_->browser(), "marker.getLatLng().lat()"); }
    fs::path PagePath() const { return pageFolder_ / kMapPageName; }

    RecorderWindow owner_;
    fs::path savedFolder_;
    fs::path pageFolder_;
    std::unique_ptr<MapViewer> viewer_;
};

TEST_F(MapViewerTest, ShowMapPlacesWindowBrowserAndCloseButtonOverABorderedBlackFace) {
    EXPECT_FALSE(viewer_->isVisible());
    EXPECT_FALSE(viewer_->shown());
    EXPECT_EQ(viewer_->browser(), nullptr);
    ASSERT_EQ(viewer_->ShowMap(100, 40, false), 1);
    EXPECT_TRUE(viewer_->isVisible());
    EXPECT_EQ(viewer_->geometry(), QRect(350, 195, 520, 470));
    ASSERT_NE(viewer_->browser(), nullptr);
    EXPECT_EQ(viewer_->browser()->geometry(), QRect(5, 35, 510, 430));
    EXPECT_EQ(viewer_->browser()->controlId(), 1010);
    const platform::BitmapButton* close = viewer_->bitmapButton(1057);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->geometry(), QRect(468, 0, 45, 25));
    EXPECT_TRUE(viewer_->HasTimer(MapViewer::kWaitTimerId));
    EXPECT_FALSE(viewer_->updating());

    const QImage& face = viewer_->backBuffer();
    ASSERT_EQ(face.size(), QSize(520, 470));
    for (const QPoint p : {QPoint(0, 0), QPoint(519, 0), QPoint(0, 469), QPoint(519, 469), QPoint(260, 0), QPoint(0, 200)})
        EXPECT_EQ(face.pixelColor(p), QColor(150, 150, 150)) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(1, 1), QPoint(2, 20), QPoint(518, 468), QPoint(300, 30)})
        EXPECT_EQ(face.pixelColor(p), QColor(Qt::black)) << p.x() << "," << p.y();

    std::ifstream in(PagePath());
    const std::string page{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(page, MapPageText(MapPageVariant::MapWindow, "0.0", "0.0"));
    // The browser is made once.
    CWebBrowser2* browser = viewer_->browser();
    ASSERT_EQ(viewer_->ShowMap(0, 0, false), 1);
    EXPECT_EQ(viewer_->browser(), browser);
}

TEST_F(MapViewerTest, SeventhWaitTickStartsUpdatesAndTheSecondUpdateTickPushes) {
    ASSERT_EQ(viewer_->ShowMap(0, 0, false), 1);
    ASSERT_TRUE(WaitUntil([this] { return viewer_->browser()->loaded(); }));
    viewer_->SetPosition("-33.868820", "151.209290");
    WaitTicks(6);
    EXPECT_EQ(viewer_->ticks(), 6);
    EXPECT_TRUE(viewer_->HasTimer(MapViewer::kWaitTimerId));
    EXPECT_FALSE(viewer_->updating());
    WaitTicks(1);
    EXPECT_FALSE(viewer_->HasTimer(MapViewer::kWaitTimerId));
    EXPECT_TRUE(viewer_->updating());
    EXPECT_TRUE(viewer_->HasTimer(MapViewer::kUpdateTimerId));
    UpdateTicks(1);
    tripdesk::test::PumpFor(std::chrono::milliseconds(200));
    EXPECT_NEAR(MarkerLatitude(), 0.0, 1e-9);
    UpdateTicks(1);
    ASSERT_TRUE(WaitUntil([this] { return std::abs(MarkerLatitude() + 33.868820) < 1e-6; }));
    EXPECT_EQ(Alerts(), 0u);
}

// Idle: with the marker where the position is, the update timer rests until a new position.
TEST_F(MapViewerTest, UpdateTimerRestsWhileThePositionStays) {
    ASSERT_EQ(viewer_->ShowMap(0, 0, false), 1);
    ASSERT_TRUE(WaitUntil([this] { return viewer_->browser()->loaded(); }));
    viewer_->SetPosition("-33.868820", "151.209290");
    WaitTicks(7);
    UpdateTicks(2);
    ASSERT_TRUE(WaitUntil([this] { return std::abs(MarkerLatitude() + 33.868820) < 1e-6; }));
    EXPECT_TRUE(viewer_->HasTimer(MapViewer::kUpdateTimerId));
    UpdateTicks(1);
    EXPECT_FALSE(viewer_->HasTimer(MapViewer::kUpdateTimerId));
    EXPECT_TRUE(viewer_->updating()) << "resting, not stopped";
    viewer_->SetPosition("-33.868820", "151.209290");
    EXPECT_FALSE(viewer_->HasTimer(MapViewer::kUpdateTimerId));
    viewer_->SetPosition("-33.869000", "151.209290");
    EXPECT_TRUE(viewer_->HasTimer(MapViewer::kUpdateTimerId));
    UpdateTicks(1);
    ASSERT_TRUE(WaitUntil([this] { return std::abs(MarkerLatitude() + 33.869) < 1e-6; }));

    UpdateTicks(1);   // rests again; a pause meanwhile is not woken by a new position
    viewer_->ToggleMapUpdates();
    viewer_->SetPosition("-33.870000", "151.209290");
    EXPECT_FALSE(viewer_->HasTimer(MapViewer::kUpdateTimerId));
    viewer_->ToggleMapUpdates();
    EXPECT_TRUE(viewer_->HasTimer(MapViewer::kUpdateTimerId));
}

TEST_F(MapViewerTest, PausedPlaybackHoldsUpdatesUntilItResumes) {
    ASSERT_EQ(viewer_->ShowMap(0, 0, true), 1);
    viewer_->ToggleMapUpdates();   // resumed while waiting
    viewer_->ToggleMapUpdates();   // paused again
    WaitTicks(7);
    EXPECT_FALSE(viewer_->updating());
    EXPECT_FALSE(viewer_->HasTimer(MapViewer::kUpdateTimerId));
    viewer_->ToggleMapUpdates();
    EXPECT_TRUE(viewer_->updating());
    EXPECT_TRUE(viewer_->HasTimer(MapViewer::kUpdateTimerId));
    viewer_->ToggleMapUpdates();
    EXPECT_FALSE(viewer_->updating());
    EXPECT_FALSE(viewer_->HasTimer(MapViewer::kUpdateTimerId));
}

TEST_F(MapViewerTest, LostConnectionAlertsOnceStopsAndHides) {
    platform::ForceConnectedStateForTests(false);
    EXPECT_EQ(viewer_->ShowMap(0, 0, false), 0);
    EXPECT_EQ(Alerts(), 1u);
    EXPECT_FALSE(viewer_->isVisible());
    EXPECT_FALSE(viewer_->HasTimer(MapViewer::kWaitTimerId));

    platform::ForceConnectedStateForTests(true);
    ASSERT_EQ(viewer_->ShowMap(0, 0, false), 1);
    WaitTicks(3);
    platform::ForceConnectedStateForTests(false);
    WaitTicks(1);
    EXPECT_EQ(Alerts(), 2u);
    EXPECT_FALSE(viewer_->isVisible());
    EXPECT_FALSE(viewer_->HasTimer(MapViewer::kWaitTimerId));
    EXPECT_FALSE(viewer_->HasTimer(MapViewer::kUpdateTimerId));

    platform::ForceConnectedStateForTests(true);
    ASSERT_EQ(viewer_->ShowMap(0, 0, false), 1);
    WaitTicks(7);
    platform::ForceConnectedStateForTests(false);
    UpdateTicks(1);
    EXPECT_EQ(Alerts(), 3u);
    EXPECT_FALSE(viewer_->updating());
    EXPECT_FALSE(viewer_->HasTimer(MapViewer::kUpdateTimerId));
    EXPECT_FALSE(viewer_->isVisible());
    viewer_->ToggleMapUpdates();   // a hidden window starts nothing
    EXPECT_FALSE(viewer_->HasTimer(MapViewer::kUpdateTimerId));
}

TEST_F(MapViewerTest, CloseButtonPostsClosedAndDeletionRemovesThePage) {
    ASSERT_EQ(viewer_->ShowMap(0, 0, false), 1);
    WaitTicks(7);
    ASSERT_TRUE(fs::exists(PagePath()));
    viewer_->bitmapButton(1057)->Click();
    EXPECT_FALSE(viewer_->isVisible());
    EXPECT_FALSE(viewer_->updating());
    EXPECT_FALSE(viewer_->HasTimer(MapViewer::kUpdateTimerId));
    EXPECT_TRUE(owner_.Of(MapViewer::WM_MAP_CLOSED).empty()) << "posted, not sent";
    ASSERT_TRUE(WaitUntil([this] { return !owner_.Of(MapViewer::WM_MAP_CLOSED).empty(); }));
    EXPECT_EQ(owner_.Of(MapViewer::WM_MAP_CLOSED).front().wParam, 0u);
    EXPECT_TRUE(fs::exists(PagePath()));
    viewer_.reset();
    EXPECT_FALSE(fs::exists(PagePath()));
}

TEST_F(MapViewerTest, EnterEscapeAndAltF4AreSwallowed) {
    ASSERT_EQ(viewer_->ShowMap(0, 0, false), 1);
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Return, Qt::NoModifier}, std::pair{Qt::Key_Escape, Qt::NoModifier},
                                         std::pair{Qt::Key_F4, Qt::AltModifier}}) {
        tripdesk::test::PressKey(viewer_.get(), key, modifiers);
        EXPECT_TRUE(viewer_->isVisible());
    }
    viewer_->close();
    EXPECT_TRUE(viewer_->isVisible());
}

} // namespace
} // namespace map
