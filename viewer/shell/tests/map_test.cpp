// The map in the channel-2 area of one-channel playback.

#include <QEvent>

#include "main_window_harness.h"
#include "box_bytes.h"
#include "map/main_window_map.h"
#include "map/map_page.h"
#include "map/map_viewer.h"
#include "map/web_browser2.h"
#include "page_script.h"
#include "platform/connection.h"
#include "settings/alert_popup.h"
#include "shell/main_window_ids.h"
#include "test_folders.h"
#include "telemetry/draw_progress_bar.h"
#include "tile_stub.h"

namespace shell::test {
namespace {

namespace fs = std::filesystem;
using tripdesk::test::Box;
using tripdesk::test::Bytes;
using tripdesk::test::Concat;

// Counts every showing of the alert window, by its message number.
class AlertShows : public QObject {
public:
    AlertShows() { qApp->installEventFilter(this); }
    ~AlertShows() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* object, QEvent* event) override {
        // Only shown widgets are looked at: other events also reach objects being destroyed.
        if (event->type() != QEvent::Show) return false;
        if (auto* alert = dynamic_cast<settings::AlertPopupDlg*>(object)) numbers.push_back(alert->Number());
        return false;
    }
    std::vector<int> numbers;
};

// A one-channel recording whose user data holds these GPS sentences, one entry each.
void WriteRecordingWithSentences(const fs::path& path, const std::vector<std::string>& sentences) {
    const std::size_t n = sentences.size();
    Bytes gps(128 * n, 0);
    for (std::size_t i = 0; i < n; ++i) std::copy(sentences[i].begin(), sentences[i].end(), gps.begin() + 128 * i);
    const Bytes udat = Box("udat", Concat({Box("TIME", Bytes(4 * n)), Box("GPSI", gps), Box("SENS", Bytes(12 * n))}));
    const Bytes file = Concat({Box("ftyp", Bytes(16)), Box("mdat", Bytes(1000)), Box("moov", Bytes(120)), udat});
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::ssize(file));
}

const std::string kSeoul = "$GPRMC,093015.000,A,3733.1234,N,12659.5678,E,022.4,084.4,120511,,,A*6C";
const std::string kSatellites = "$GPGSV,3,1,12,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45*75";
const std::string kBusan = "$GPRMC,093016.000,A,3506.0000,N,12902.4000,E,010.0,084.4,120511,,,A*6C";

class ShellMapTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        savedTiles_ = qgetenv("TRIPDESK_MAP_TILES");
        savedFolder_ = map::MapPageFolder();
        qputenv("TRIPDESK_MAP_TILES", tripdesk::test::ClosedPortTileAddress());
        pageFolder = tripdesk::test::FreshFolder("page");
        map::OverrideMapPageFolder(pageFolder);
        platform::ForceConnectedStateForTests(true);
    }
    void TearDown() override {
        platform::ForceConnectedStateForTests(std::nullopt);
        map::OverrideMapPageFolder(savedFolder_);
        qputenv("TRIPDESK_MAP_TILES", savedTiles_);
        ShellTest::TearDown();
    }

    std::string Recording(MainWindowHarness& ui, const std::string& stamp, const std::vector<std::string>& sentences) {
        const std::string path = ui.Pair(folder, stamp, false);
        WriteRecordingWithSentences(path, sentences);
        return path;
    }

    // The player shows the picture of user-data entry index.
    static void ShowEntry(MainWindowHarness& ui, std::uint32_t index) {
        scripted::Fire(vexplayer::kEventUserDataIndex, reinterpret_cast<void*>(std::uintptr_t{index}));
        vexplayer::FrameRecord frame{};
        frame.positionSeconds = static_cast<float>(index);
        scripted::Fire(vexplayer::kEventFrame, &frame);
        tripdesk::test::PumpFor(std::chrono::milliseconds(50));
        (void)ui;
    }

    std::string PageText() const {
        std::ifstream in(pageFolder / map::kMapPageName, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static void Tick(MainWindowHarness& ui, int times) {
        for (int i = 0; i < times; ++i) ui.Send(platform::WM_TIMER, map::MainWindowMap::kTimerId, 0);
    }

    double MarkerLatitude(MainWindowHarness& ui) {
        return map::test::ScriptNumber(*ui.dialog.mainWindowMap()->browser(), "marker.getLatLng().lat()");
    }

    // Plays a recording of Seoul, satellites, Busan with its page loaded and a marker still at
    // 0, 0, and shows the first entry; null when any of it fails.
    map::MainWindowMap* PlayThroughSeoulAndBusan(MainWindowHarness& ui) {
        ui.Drop({Recording(ui, "20110512_093015", {kSeoul, kSatellites, kBusan})});
        ui.Click(IDC_PLAY);
        ui.ReportPlaybackStarted();
        map::MainWindowMap* mainMap = ui.dialog.mainWindowMap();
        if (!WaitUntil([&] { return mainMap->browser()->loaded(); })) return nullptr;
        EXPECT_NEAR(MarkerLatitude(ui), 0.0, 1e-9);
        ShowEntry(ui, 0);
        return WaitUntil([&] { return mainMap->latitude() == "37.552057"; }) ? mainMap : nullptr;
    }

    fs::path pageFolder;
    QByteArray savedTiles_;
    fs::path savedFolder_;
};

TEST_F(ShellMapTest, PageIsWrittenAtEveryOpenWithTheLastDecodedPosition) {
    MainWindowHarness ui(1);
    const std::string first = Recording(ui, "20110512_093015", {kSeoul, kSatellites});
    ui.Drop({first});
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    map::MainWindowMap* mainMap = ui.dialog.mainWindowMap();
    ASSERT_NE(mainMap, nullptr);
    map::CWebBrowser2* browser = mainMap->browser();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->geometry(), QRect(514, 88, 480, 360));
    EXPECT_EQ(browser->parentWidget(), &ui.dialog);
    EXPECT_TRUE(browser->isVisible());
    EXPECT_EQ(browser->controlId(), 1010);
    EXPECT_NE(ui.dialog.GetDlgItem(1010), browser);   // the stop button keeps its id
    EXPECT_NE(PageText().find("\nvar latitude = 0.0;\n  var longitude = 0.0;\n"), std::string::npos);
    EXPECT_TRUE(ui.dialog.HasTimer(100));
    EXPECT_EQ(mainMap->ticks(), 0);

    ShowEntry(ui, 0);
    ASSERT_TRUE(WaitUntil([&] { return mainMap->latitude() == "37.552057"; }));
    EXPECT_EQ(mainMap->longitude(), "126.992797");
    // Another kind of sentence clears the decoding, not the map's copy.
    ShowEntry(ui, 1);
    EXPECT_EQ(mainMap->latitude(), "37.552057");

    ui.Click(IDC_PLAY);   // opens the highlighted recording again
    EXPECT_EQ(mainMap->browser(), browser);
    EXPECT_NE(PageText().find("\nvar latitude = 37.552057;\n  var longitude = 126.992797;\n"), std::string::npos);
}

TEST_F(ShellMapTest, NinthTickMovesTheMarkerToTheLatestPosition) {
    MainWindowHarness ui(1);
    map::MainWindowMap* mainMap = PlayThroughSeoulAndBusan(ui);
    ASSERT_NE(mainMap, nullptr);

    Tick(ui, 8);
    EXPECT_EQ(mainMap->ticks(), 8);
    tripdesk::test::PumpFor(std::chrono::milliseconds(200));
    EXPECT_NEAR(MarkerLatitude(ui), 0.0, 1e-9) << "the first eight ticks only count";
    Tick(ui, 1);
    ASSERT_TRUE(WaitUntil([&] { return std::abs(MarkerLatitude(ui) - 37.552057) < 1e-6; }));

    ShowEntry(ui, 1);   // satellites: the marker stays
    Tick(ui, 1);
    tripdesk::test::PumpFor(std::chrono::milliseconds(200));
    EXPECT_NEAR(MarkerLatitude(ui), 37.552057, 1e-6);
    ShowEntry(ui, 2);
    Tick(ui, 1);
    ASSERT_TRUE(WaitUntil([&] { return std::abs(MarkerLatitude(ui) - 35.1) < 1e-6; }));
    EXPECT_NEAR(map::test::ScriptNumber(*mainMap->browser(), "marker.getLatLng().lng()"), 129.04, 1e-6);
}

// Idle: once the marker shows the position, timer 100 rests until the car moves; the map window's
// take-over is no rest (a new position does not restart the timer then).
TEST_F(ShellMapTest, TheMarkerTimerRestsWhileThePositionStays) {
    MainWindowHarness ui(1);
    map::MainWindowMap* mainMap = PlayThroughSeoulAndBusan(ui);
    ASSERT_NE(mainMap, nullptr);
    Tick(ui, 9);
    ASSERT_TRUE(WaitUntil([&] { return std::abs(MarkerLatitude(ui) - 37.552057) < 1e-6; }));
    EXPECT_TRUE(ui.dialog.HasTimer(100));
    Tick(ui, 1);
    EXPECT_FALSE(ui.dialog.HasTimer(100)) << "nothing new: the timer rests";
    ShowEntry(ui, 0);
    EXPECT_FALSE(ui.dialog.HasTimer(100)) << "the same position again";
    ShowEntry(ui, 2);
    EXPECT_TRUE(ui.dialog.HasTimer(100));
    Tick(ui, 1);
    ASSERT_TRUE(WaitUntil([&] { return std::abs(MarkerLatitude(ui) - 35.1) < 1e-6; }));

    ui.dialog.mainWindowMap()->StopUpdates();
    ShowEntry(ui, 0);
    EXPECT_FALSE(ui.dialog.HasTimer(100));
}

TEST_F(ShellMapTest, WithoutConnectionTheAlertShowsOnceAndNothingLoads) {
    MainWindowHarness ui(1);
    ui.Drop({Recording(ui, "20110512_093015", {kSeoul})});
    {
        AlertShows alerts;
        platform::ForceConnectedStateForTests(false);
        ui.Click(IDC_PLAY);
        EXPECT_EQ(alerts.numbers, std::vector<int>{4});
        EXPECT_FALSE(ui.dialog.HasTimer(100));
        tripdesk::test::PumpFor(std::chrono::milliseconds(300));
        EXPECT_FALSE(ui.dialog.mainWindowMap()->browser()->loaded());
        EXPECT_TRUE(fs::exists(pageFolder / map::kMapPageName));
    }
    {
        AlertShows alerts;
        platform::ForceConnectedStateForTests(true);
        ui.Click(IDC_PLAY);
        EXPECT_TRUE(ui.dialog.HasTimer(100));
        Tick(ui, 3);
        platform::ForceConnectedStateForTests(false);
        Tick(ui, 1);
        EXPECT_FALSE(ui.dialog.HasTimer(100));
        EXPECT_EQ(alerts.numbers, std::vector<int>{4});
        EXPECT_EQ(ui.dialog.mainWindowMap()->ticks(), 3);
    }
}

TEST_F(ShellMapTest, TwoChannelsShowVideoNotTheMap) {
    MainWindowHarness ui(2);
    ui.Drop({ui.Pair(folder, "20110512_093015")});
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    EXPECT_EQ(ui.dialog.mainWindowMap()->browser(), nullptr);
    EXPECT_FALSE(ui.dialog.HasTimer(100));
    EXPECT_FALSE(fs::exists(pageFolder / map::kMapPageName));
}

TEST_F(ShellMapTest, MapButtonOpensTheWindowAndKeepsTheEmbeddedUpdates) {
    MainWindowHarness ui(1);
    ui.Drop({Recording(ui, "20110512_093015", {kSeoul})});
    ui.Click(IDC_MAP);
    EXPECT_EQ(ui.dialog.mapViewer(), nullptr) << "nothing while stopped";
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    ShowEntry(ui, 0);
    ASSERT_TRUE(WaitUntil([&] { return ui.dialog.mainWindowMap()->latitude() == "37.552057"; }));
    ui.Click(IDC_MAP);
    map::MapViewer* viewer = ui.dialog.mapViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    const QRect main = ui.dialog.mainPlacement();
    EXPECT_EQ(viewer->geometry(), QRect(main.x() + 250, main.y() + 155, 520, 470));
    EXPECT_TRUE(ui.dialog.HasTimer(100));
    EXPECT_FALSE(ui.dialog.mapWindowOpen());
    EXPECT_NE(PageText().find("\n  var latitude = 37.552057;\n  var longitude = 126.992797;\n"), std::string::npos);
    ui.Click(IDC_MAP);
    EXPECT_EQ(ui.dialog.mapViewer(), viewer) << "made on first use only";
}

TEST_F(ShellMapTest, DoubleClickOnTheAreaOrItsBrowserOpensTheWindowOnce) {
    MainWindowHarness ui(1);
    ui.Drop({Recording(ui, "20110512_093015", {kSeoul})});
    ui.DoubleClickAt(700, 200);
    EXPECT_EQ(ui.dialog.mapViewer(), nullptr) << "nothing while stopped";
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    map::CWebBrowser2* embedded = ui.dialog.mainWindowMap()->browser();
    ASSERT_TRUE(WaitUntil([&] { return embedded->loaded() && embedded->focusProxy(); }));

    ui.DoubleClickAt(700, 200);
    map::MapViewer* viewer = ui.dialog.mapViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(ui.dialog.mapWindowOpen());
    EXPECT_FALSE(ui.dialog.HasTimer(100));
    EXPECT_TRUE(viewer->HasTimer(map::MapViewer::kWaitTimerId));
    viewer->Dispatch(platform::WM_TIMER, map::MapViewer::kWaitTimerId, 0);
    ui.DoubleClickAt(700, 200);   // already open: no new ShowMap
    EXPECT_EQ(viewer->ticks(), 1);

    // Closing gives the embedded map its updates back, from the ninth tick on.
    viewer->bitmapButton(map::MapViewer::kCloseButtonId)->Click();
    ASSERT_TRUE(WaitUntil([&] { return ui.dialog.mapViewer() == nullptr; }));
    EXPECT_FALSE(ui.dialog.mapWindowOpen());
    EXPECT_FALSE(fs::exists(pageFolder / map::kMapPageName));
    EXPECT_TRUE(ui.dialog.HasTimer(100));
    EXPECT_EQ(ui.dialog.mainWindowMap()->ticks(), 8);

    // On the embedded browser, as a user's double-click reaches it.
    QTest::mouseDClick(embedded->focusProxy(), Qt::LeftButton, {}, QPoint(100, 100));
    ASSERT_NE(ui.dialog.mapViewer(), nullptr);
    EXPECT_TRUE(ui.dialog.mapWindowOpen());
    EXPECT_TRUE(fs::exists(pageFolder / map::kMapPageName)) << "the next ShowMap writes it again";
}

TEST_F(ShellMapTest, MapWindowFollowsThePauseAndGoesWithTheMainWindow) {
    {
        MainWindowHarness ui(1);
        ui.Drop({Recording(ui, "20110512_093015", {kSeoul})});
        ui.Click(IDC_PLAY);
        ui.ReportPlaybackStarted();
        ui.Click(IDC_PAUSE);
        ui.Click(IDC_MAP);
        map::MapViewer* viewer = ui.dialog.mapViewer();
        ASSERT_NE(viewer, nullptr);
        for (int i = 0; i < 7; ++i) viewer->Dispatch(platform::WM_TIMER, map::MapViewer::kWaitTimerId, 0);
        EXPECT_FALSE(viewer->updating()) << "paused before the window opened";
        ui.Click(IDC_PLAY);   // resumes
        EXPECT_TRUE(viewer->updating());
        ui.Click(IDC_PLAY);   // not paused: opens again, the pause state is unchanged
        EXPECT_TRUE(viewer->updating());
        ui.Click(IDC_PAUSE);
        EXPECT_FALSE(viewer->updating());
        ui.ClickAt(224, 490);   // the progress track: the seek resumes the player, and the updates
        EXPECT_TRUE(viewer->updating());
        ASSERT_TRUE(fs::exists(pageFolder / map::kMapPageName));
    }
    EXPECT_FALSE(fs::exists(pageFolder / map::kMapPageName)) << "the closed main window deleted the map window";
}

int RouteLength(map::CWebBrowser2& browser) {
    return static_cast<int>(map::test::ScriptNumber(browser, "map.routeLine ? map.routeLine.getLatLngs().length : 0"));
}

// A click on the drawn line near the point at latitude, longitude, as Leaflet reports it.
void ClickRouteNear(map::CWebBrowser2& browser, double latitude, double longitude) {
    map::test::EvaluateScript(browser, QString("map.routeLine.fire('click', {latlng: L.latLng(%1, %2)})")
                                           .arg(latitude, 0, 'f', 6)
                                           .arg(longitude, 0, 'f', 6));
}

TEST_F(ShellMapTest, RouteClickSeeksLikeTheProgressTrackWhilePlaying) {
    MainWindowHarness ui(1);
    const std::string first = Recording(ui, "20110512_093015", {kSeoul, kSatellites, kBusan, kSatellites});
    const std::string plain = ui.Pair(folder, "20110512_093021", false);
    ui.Drop({first, plain});
    ui.ClickAt(700, 582);   // the first row
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    ui.ReportClipLength(6.0f);
    map::CWebBrowser2& browser = *ui.dialog.mainWindowMap()->browser();
    ASSERT_TRUE(WaitUntil([&] { return browser.loaded() && RouteLength(browser) == 2; }));
    EXPECT_EQ(map::test::EvaluateScript(browser, "map.routeLine.options.color").value_or(QVariant()).toString(),
              "rgb(230, 30, 30)");
    EXPECT_EQ(map::test::ScriptNumber(browser, "map.routeLine.options.weight"), 4);
    EXPECT_EQ(map::test::ScriptNumber(browser, "map.getZoom()"), 15) << "the view stays";

    tripdesk::test::PumpFor(std::chrono::milliseconds(300));   // the page's channel to us connects
    const std::size_t before = scripted::Commands().size();
    ClickRouteNear(browser, 35.1001, 129.0401);
    // Entry 2 of 4 in a 6 s clip: 3 s, the progress bar at 3 * 345 / 6.
    ASSERT_TRUE(WaitUntil([&] { return MainWindowHarness::Sent("seek 3.00 2"); }));
    const std::vector<std::string> commands = scripted::Commands();
    const std::vector<std::string> sent(commands.begin() + before, commands.end());
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[0], "pause");
    EXPECT_EQ(ui.dialog.progressBar()->GetPosition(), 172);

    ui.Click(IDC_STOP);
    const std::size_t stopped = scripted::Commands().size();
    ClickRouteNear(browser, 37.55, 126.99);
    tripdesk::test::PumpFor(std::chrono::milliseconds(300));
    EXPECT_EQ(scripted::Commands().size(), stopped) << "nothing while stopped";

    // A recording without user data draws no line.
    ui.ClickAt(700, 582 + 22);
    ui.Click(IDC_PLAY);
    ASSERT_TRUE(WaitUntil([&] { return browser.loaded(); }));
    tripdesk::test::PumpFor(std::chrono::milliseconds(200));
    EXPECT_EQ(RouteLength(browser), 0);
}

TEST_F(ShellMapTest, MapWindowLineFollowsTheOpenedRecording) {
    MainWindowHarness ui(1);
    const std::string first = Recording(ui, "20110512_093015", {kSeoul, kBusan});
    const std::string second = Recording(ui, "20110512_093021", {kBusan, kSatellites, kSeoul, kBusan});
    ui.Drop({first, second});
    ui.ClickAt(700, 582);
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    ui.Click(IDC_MAP);
    map::CWebBrowser2& browser = *ui.dialog.mapViewer()->browser();
    ASSERT_TRUE(WaitUntil([&] { return browser.loaded() && RouteLength(browser) == 2; }));
    ui.ClickAt(700, 582 + 22);
    ui.Click(IDC_PLAY);
    ASSERT_TRUE(WaitUntil([&] { return RouteLength(browser) == 3; }));
}

} // namespace
} // namespace shell::test
