#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "control_pictures.h"
#include "resources/resources.h"
#include "telemetry/draw_gps.h"
#include "telemetry/draw_gsenser.h"
#include "telemetry/draw_progress_bar.h"
#include "telemetry/user_data_presenter.h"

namespace telemetry {
namespace {

constexpr const char* kExample =
    "$GPRMC,093015.000,A,3733.1234,N,12659.5678,E,022.4,084.4,120511,,,A*6C";

FrameTelemetry Frame(const std::string& sentence, int position = 61, int length = 75) {
    FrameTelemetry frame;
    frame.hasCopies = true;
    frame.noUserData = false;
    std::copy_n(sentence.begin(), std::min(sentence.size(), frame.gps.size()), frame.gps.begin());
    frame.gsensor = {0.0f, 1.0f, -2.0f};
    frame.positionSeconds = position;
    frame.lengthSeconds = length;
    return frame;
}

class UserDataPresenterTest : public ::testing::Test {
protected:
    void SetUp() override {
        gps.SetBitmap(resources::Bitmap(308), 437, 456);
        graph.SetBitmap(resources::Bitmap(309), 28, 592);
        progress.SetBitmap(resources::Bitmap(307), 28, 480);
        presenter.SetMapHandOver([this](const std::string& latitude, const std::string& longitude) {
            mapTexts.push_back(latitude + " " + longitude);
        });
    }

    // The frame through the presenter, then the repaints the main window makes.
    UserDataRepaint Show(const FrameTelemetry& frame, int unit = 0) {
        const UserDataRepaint repaint = presenter.Present(frame, unit);
        if (repaint.gsensorGraph) testing::Render(graph);
        return repaint;
    }

    CDrawGps gps;
    CDrawGSenser graph;
    CDrawProgressBar progress;
    UserDataPresenter presenter{gps, graph, progress};
    std::vector<std::string> mapTexts;
};

TEST_F(UserDataPresenterTest, RecommendedMinimumReachesThePanelInEachUnit) {
    const SpeedDigits expected[] = {{0, 4, 1}, {0, 2, 5}, {0, 2, 2}};
    for (int unit = 0; unit < 3; ++unit) {
        const UserDataRepaint repaint = Show(Frame(kExample), unit);
        EXPECT_TRUE(repaint.gpsPanel && repaint.gsensorGraph && repaint.progressBar);
        EXPECT_EQ(gps.Speed(), expected[unit]) << unit;
    }
    EXPECT_EQ(gps.LatitudeText(), "037.552057");
    EXPECT_EQ(gps.LongitudeText(), "126.992797");
    EXPECT_EQ(gps.Course(), 84);
    EXPECT_EQ(gps.Needle(), (NeedleOffsets{22, 0}));
    EXPECT_EQ(mapTexts, std::vector<std::string>(3, "37.552057 126.992797"));
    // The digits on screen are those pictures: 0, 2, 2.
    const QImage picture = testing::Render(gps);
    EXPECT_TRUE(testing::ShowsImage(picture, {66, 41}, resources::Bitmap(245)));
    EXPECT_TRUE(testing::ShowsImage(picture, {81, 41}, resources::Bitmap(245)));
    EXPECT_EQ(progress.GetPosition(), 61 * 345 / 75);
    EXPECT_EQ(graph.Trace().shownSample(), (GSensorSample{0.0f, 1.0f, -2.0f}));
}

TEST_F(UserDataPresenterTest, WithoutUserDataPositionAndSpeedStayWhileHeadingBarAndGraphMove) {
    Show(Frame(kExample), 2);
    Show(Frame(kExample, 1), 2);
    const int tick = graph.Trace().tick();
    mapTexts.clear();

    FrameTelemetry frame = Frame("$GPRMC,1,A,0100.0000,S,00200.0000,W,099.0,270.0,,,,", 30, 60);
    frame.noUserData = true;
    const UserDataRepaint repaint = Show(frame, 2);
    EXPECT_TRUE(repaint.gpsPanel && repaint.progressBar && repaint.gsensorGraph);
    EXPECT_EQ(gps.LatitudeText(), "037.552057");
    EXPECT_EQ(gps.Speed(), (SpeedDigits{0, 2, 2}));
    EXPECT_EQ(gps.Course(), 270);
    EXPECT_EQ(gps.Needle(), (NeedleOffsets{-22, 0}));  // due west
    EXPECT_EQ(progress.GetPosition(), 172);
    EXPECT_EQ(graph.Trace().tick(), tick + 1);
    EXPECT_TRUE(graph.Trace().noUserData());
    EXPECT_EQ(testing::Render(graph), resources::Bitmap(309));
    EXPECT_EQ(mapTexts, std::vector<std::string>{"-1.000000 -2.000000"});  // the map still follows
}

TEST_F(UserDataPresenterTest, ProgressFollowsThePlayingPosition) {
    Show(Frame(kExample, 61, 75));
    EXPECT_EQ(progress.GetPosition(), 280);
    Show(Frame(kExample, 75, 75));
    EXPECT_EQ(progress.GetPosition(), 345);
    Show(Frame(kExample, 80, 75));  // beyond the length: left alone
    EXPECT_EQ(progress.GetPosition(), 345);
    Show(Frame(kExample, 10, 0));
    EXPECT_EQ(progress.GetPosition(), 0);
    Show(Frame(kExample, 2000000000, 2100000000));
    EXPECT_EQ(progress.GetPosition(), 328);
    Show(Frame(kExample, 30, 60));
    ASSERT_EQ(progress.GetPosition(), 172);
    Show(Frame(kExample, -5, 60));  // a negative position: left alone
    EXPECT_EQ(progress.GetPosition(), 172);
    EXPECT_EQ(UserDataPresenter::ProgressPosition(-1, 60), std::nullopt);
    EXPECT_EQ(UserDataPresenter::ProgressPosition(5, -1), 0);
    EXPECT_EQ(UserDataPresenter::ProgressPosition(INT_MAX, INT_MAX), 345);
}

TEST_F(UserDataPresenterTest, CopiesMissingOrWithoutNul) {
    presenter.SetMapHandOver({});  // no map yet
    Show(Frame(kExample));
    FrameTelemetry none = Frame("$GPGSV,garbage");
    none.hasCopies = false;  // no frame with user data yet: nothing decoded, no sample
    Show(none);
    EXPECT_EQ(gps.LatitudeText(), "037.552057");
    EXPECT_FALSE(graph.Trace().shownSample());

    // 128 bytes of sentence without a NUL; the course "090" is in the last three.
    const std::string tail = ",A,3733.1234,S,12659.5678,W,045,090";
    const std::string sentence = "$GPRMC," + std::string(128 - 7 - tail.size(), '1') + tail;
    ASSERT_EQ(sentence.size(), 128u);
    Show(Frame(sentence), 2);
    EXPECT_EQ(gps.Course(), 90);
    EXPECT_EQ(gps.LatitudeText(), "-037.552057");
    EXPECT_EQ(gps.LongitudeText(), "-126.992797");
    EXPECT_EQ(gps.Speed(), (SpeedDigits{0, 4, 5}));

    // Any other sentence clears position and speed.
    Show(Frame("\x01\xff$GPRMC,,"), 2);
    EXPECT_EQ(gps.LatitudeText(), "          ");
    EXPECT_EQ(gps.Speed(), (SpeedDigits{0, 0, 0}));
    EXPECT_EQ(gps.Course(), 0);
}

} // namespace
} // namespace telemetry
