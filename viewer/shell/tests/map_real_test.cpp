// The embedded map with the real player library on a sample-card recording.

#include "main_window_harness.h"
#include "map/main_window_map.h"
#include "map/web_browser2.h"
#include "page_script.h"
#include "platform/connection.h"
#include "platform/number_text.h"
#include "sample_card.h"
#include "shell/main_window_ids.h"

namespace shell::test {
namespace {

class MapRealPlaybackTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        platform::SetClockFastForward(false);  // the library plays in real time
        platform::ForceConnectedStateForTests(true);
    }
    void TearDown() override {
        platform::ForceConnectedStateForTests(std::nullopt);
        ShellTest::TearDown();
    }
};

TEST_F(MapRealPlaybackTest, AfterTheNinthTickTheMarkerIsAtTheLastDecodedPosition) {
    const tripdesk::test::SampleCard& card = tripdesk::test::SampleCard::get();
    const samplecard::PlannedRecording& recording = card.front(0);
    MainWindowHarness ui(1, shell::CTripDeskDlg::kPlayerLibrary);
    ui.Drop({card.path(recording)});
    ASSERT_EQ(ui.dialog.playList().size(), 1);
    ui.Click(IDC_PLAY);
    ASSERT_TRUE(ui.dialog.playing());
    map::MainWindowMap* mainMap = ui.dialog.mainWindowMap();
    ASSERT_TRUE(WaitUntil([&] { return mainMap->browser()->loaded(); }));
    ASSERT_TRUE(WaitUntil([&] { return ui.dialog.adapter()->positionSeconds >= 2; }));
    ui.Click(IDC_PAUSE);
    tripdesk::test::PumpFor(std::chrono::milliseconds(300));

    // The map's texts are those of the last "$GPRMC" shown, as the generator planned it.
    const auto telemetry = card.plan().telemetryOf(recording.fileName);
    const std::uint32_t index = ui.dialog.adapter()->CurrentIndex();
    ASSERT_LT(index, telemetry.size());
    std::uint32_t rmc = index;
    while (rmc > 0 && samplecard::sentenceKindFor(static_cast<int>(rmc)) != samplecard::SentenceKind::Rmc) --rmc;
    const double latitude = platform::ParseDecimal(mainMap->latitude()).value_or(-1000);
    const double longitude = platform::ParseDecimal(mainMap->longitude()).value_or(-1000);
    EXPECT_NEAR(latitude, telemetry[rmc].point.latitude, 1.5e-6) << index;
    EXPECT_NEAR(longitude, telemetry[rmc].point.longitude, 1.5e-6) << index;

    for (int i = 0; i < 9; ++i) ui.Send(platform::WM_TIMER, map::MainWindowMap::kTimerId, 0);
    map::CWebBrowser2& browser = *mainMap->browser();
    ASSERT_TRUE(WaitUntil([&] {
        return std::abs(map::test::ScriptNumber(browser, "marker.getLatLng().lat()") - latitude) < 1e-9;
    }));
    EXPECT_NEAR(map::test::ScriptNumber(browser, "marker.getLatLng().lng()"), longitude, 1e-9);
    EXPECT_NEAR(map::test::ScriptNumber(browser, "map.getCenter().lat()"), latitude, 1e-9);
}

} // namespace
} // namespace shell::test
