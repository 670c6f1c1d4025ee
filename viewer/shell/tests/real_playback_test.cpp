// The main window with the real player library on sample-card recordings: two channels side by
// side, the telemetry of the picture shown, next, the popups, the end of a clip.

#include <QDir>
#include <optional>
#include <string>

#include "main_window_harness.h"
#include "player/video_popup.h"
#include "samplecard/card_plan.h"
#include "shell/main_window_ids.h"
#include "telemetry/draw_gps.h"
#include "telemetry/draw_gsenser.h"
#include "telemetry/draw_progress_bar.h"
#include "samplecard/telemetry.h"

namespace shell::test {
namespace {

const std::filesystem::path kCard = TRIPDESK_SAMPLE_CARD_DIR;
constexpr const char* kFirst = "drf2_20110512_093015.mp4";
constexpr const char* kSecond = "drf2_20110512_093021.mp4";

std::string OnCard(const char* name) {
    return (kCard / name).string();
}

// A channel's video area is showing a picture when it is not all black.
bool ShowsPicture(QWidget& window, const QRect& area) {
    const QImage shot = window.grab(area).toImage();
    int lit = 0;
    for (int y = 0; y < shot.height(); y += 4)
        for (int x = 0; x < shot.width(); x += 4)
            if (qGray(shot.pixel(x, y)) > 40) ++lit;
    return lit > 100;
}

// The route point of the last "$GPRMC" at or before index, as the generator planned it: what the
// panel's position and speed come from. None when the entry at index is of another kind than
// "$GPRMC" or "$GPGGA" (the panel is cleared then) or no "$GPRMC" came before.
std::optional<samplecard::RoutePoint> RouteShownAt(const std::vector<samplecard::TelemetryEntry>& entries,
                                                   std::uint32_t index) {
    const samplecard::SentenceKind kind = samplecard::sentenceKindFor(static_cast<int>(index));
    if (kind != samplecard::SentenceKind::Rmc && kind != samplecard::SentenceKind::Gga) return std::nullopt;
    for (std::uint32_t i = index + 1; i-- > 0;)
        if (samplecard::sentenceKindFor(static_cast<int>(i)) == samplecard::SentenceKind::Rmc) return entries[i].point;
    return std::nullopt;
}

// The panel's speed digits as one number.
int SpeedValue(const telemetry::SpeedDigits& digits) {
    return digits.hundreds * 100 + digits.tens * 10 + digits.ones;
}

void SaveShot(QWidget& window, const char* name) {
    QDir().mkpath(TRIPDESK_TEST_WORK_DIR);
    window.grab().save(QDir(TRIPDESK_TEST_WORK_DIR).filePath(name));
}

class RealPlaybackTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        platform::SetClockFastForward(false);  // the library plays in real time
        plan = samplecard::planCard({});
    }
    bool PlayedTo(MainWindowHarness& ui, int seconds) {
        return WaitUntil([&] { return ui.dialog.adapter()->positionSeconds >= seconds; });
    }
    samplecard::CardPlan plan;
};

TEST_F(RealPlaybackTest, TwoChannelsPlaySideBySideWithTheTelemetryOfThePictureShown) {
    MainWindowHarness ui(2, shell::CTripDeskDlg::kPlayerLibrary);
    ui.Drop({OnCard(kFirst), OnCard(kSecond)});
    ui.DoubleClickAt(700, 582);
    ASSERT_TRUE(ui.dialog.playing());
    ASSERT_TRUE(PlayedTo(ui, 2));
    EXPECT_EQ(ui.dialog.adapter()->lengthSeconds.load(), 6);
    EXPECT_TRUE(ShowsPicture(ui.dialog, QRect(24, 88, 480, 360)));
    EXPECT_TRUE(ShowsPicture(ui.dialog, QRect(514, 88, 480, 360)));

    // The panel shows the generator's route at the index shown: the hemisphere signs and the
    // six decimals of the texts; the NMEA minutes carry four decimals (about 2e-6 degrees).
    ui.Click(IDC_PAUSE);
    QTest::qWait(300);
    QApplication::processEvents();
    const auto telemetry = plan.telemetryOf(kFirst);
    const std::uint32_t index = ui.dialog.adapter()->CurrentIndex();
    ASSERT_LT(index, telemetry.size());
    const std::optional<samplecard::RoutePoint> shown = RouteShownAt(telemetry, index);
    const std::string latitude = ui.dialog.gpsPanel()->LatitudeText();
    const std::string longitude = ui.dialog.gpsPanel()->LongitudeText();
    if (shown) {
        EXPECT_NEAR(std::stod(latitude), shown->latitude, 1e-5) << index << " " << latitude;
        EXPECT_NEAR(std::stod(longitude), shown->longitude, 1e-5) << index << " " << longitude;
    } else {
        EXPECT_EQ(QString::fromStdString(latitude).trimmed(), QString()) << index;
    }
    EXPECT_GT(ui.dialog.gsensorGraph()->Trace().points(telemetry::Axis::X).size(), 2u);
    EXPECT_GT(ui.dialog.progressBar()->GetPosition(), 0);

    SaveShot(ui.dialog, "two-channels.png");

    ui.Click(IDC_NEXT_FILE);
    EXPECT_EQ(ui.dialog.playList().currentPath(), OnCard(kSecond));
    ASSERT_TRUE(PlayedTo(ui, 1));
}

TEST_F(RealPlaybackTest, SpeedAndPositionMatchTheRouteMovingAndStandingStill) {
    // The first recording of a moving stretch, and a moment in it at motorway speed.
    const samplecard::PlannedRecording* moving = nullptr;
    std::uint32_t movingMs = 0;
    for (const samplecard::PlannedRecording& r : plan.recordings) {
        if (r.role != samplecard::ChannelRole::Front || r.defect != samplecard::Defect::None || r.pairMissing) continue;
        for (const samplecard::TelemetryEntry& e : plan.telemetryOf(r.fileName))
            if (e.point.speedKnots > 30 && e.timeMs > 1000 && e.timeMs < 3000) {
                moving = &r;
                movingMs = e.timeMs;
                break;
            }
        if (moving) break;
    }
    ASSERT_NE(moving, nullptr);

    MainWindowHarness ui(2, shell::CTripDeskDlg::kPlayerLibrary);
    ui.Drop({OnCard(kFirst), (kCard / moving->fileName).string()});
    // Pauses and compares the panel's speed in km/h with the route's (knots x 1.8, as the panel
    // counts): within 2 for the tenth of a knot the sentence keeps and the two truncations.
    auto pausedPanelMatches = [&](const std::string& name) {
        ui.Click(IDC_PAUSE);
        QTest::qWait(300);
        QApplication::processEvents();
        const auto entries = plan.telemetryOf(name);
        const std::uint32_t index = ui.dialog.adapter()->CurrentIndex();
        EXPECT_LT(index, entries.size());
        if (index >= entries.size()) return std::uint32_t{0};
        const std::optional<samplecard::RoutePoint> shown = RouteShownAt(entries, index);
        const int speed = SpeedValue(ui.dialog.gpsPanel()->Speed());
        double expected = shown ? shown->speedKnots * 1.8 : 0.0;
        // A "$GPGGA" has no speed: the last one stands in only above 10.
        if (samplecard::sentenceKindFor(static_cast<int>(index)) == samplecard::SentenceKind::Gga && expected < 11)
            expected = 0.0;
        EXPECT_NEAR(speed, expected, 2.0) << name << " " << index;
        return index;
    };

    ui.DoubleClickAt(700, 582);  // the first recording starts standing still
    ASSERT_TRUE(PlayedTo(ui, 1));
    pausedPanelMatches(kFirst);
    EXPECT_EQ(ui.dialog.gpsPanel()->Speed(), telemetry::SpeedDigits{});
    SaveShot(ui.dialog, "standing.png");

    ui.DoubleClickAt(700, 582 + 22);
    ASSERT_TRUE(PlayedTo(ui, 0));
    ui.dialog.adapter()->Seek(static_cast<float>(movingMs) / 1000.0f - 1.0f, false);
    ASSERT_TRUE(WaitUntil([&] { return ui.dialog.adapter()->Position() * 1000 >= movingMs; }));
    const std::uint32_t index = pausedPanelMatches(moving->fileName);
    EXPECT_GT(plan.telemetryOf(moving->fileName)[index].point.speedKnots, 20);
    SaveShot(ui.dialog, "moving.png");
}

TEST_F(RealPlaybackTest, PopupTakesTheChannelsVideoAndGivesItBack) {
    MainWindowHarness ui(2, shell::CTripDeskDlg::kPlayerLibrary);
    ui.Drop({OnCard(kFirst)});
    ui.Click(IDC_PLAY);
    ASSERT_TRUE(PlayedTo(ui, 1));
    const platform::HWND video = ui.dialog.adapter()->VideoWindow1();
    ui.Send(vexplayer::WM_PLAYER_POPUP, 1, 0);
    player::VideoPopup* popup = ui.dialog.videoPopup(1);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(WaitUntil([&] {
        QWidget* w = platform::FromHandle(video);
        return w && w->parentWidget() == popup && w->geometry() == QRect(5, 35, 640, 480);
    }));
    popup->findChild<platform::BitmapButton*>()->Click();
    EXPECT_TRUE(WaitUntil([&] {
        QWidget* w = platform::FromHandle(video);
        return w && w->parentWidget() == &ui.dialog && w->geometry() == QRect(24, 88, 480, 360);
    }));
}

TEST_F(RealPlaybackTest, TheEndOfAClipOpensTheNextRecording) {
    MainWindowHarness ui(2, shell::CTripDeskDlg::kPlayerLibrary);
    ui.Drop({OnCard(kFirst), OnCard(kSecond)});
    ui.Click(IDC_PLAY);
    ASSERT_TRUE(PlayedTo(ui, 1));
    ui.ClickAt(400, 490);  // to the end of the clip
    EXPECT_TRUE(WaitUntil([&] { return ui.dialog.playList().currentPath() == OnCard(kSecond); }));
    ASSERT_TRUE(PlayedTo(ui, 1));
}

TEST_F(RealPlaybackTest, OneChannelRecordingPlaysAlone) {
    MainWindowHarness ui(1, shell::CTripDeskDlg::kPlayerLibrary);
    const auto parking = OnCard("mod0_20110512_221704.mp4");
    ui.Drop({parking});
    ui.Click(IDC_PLAY);
    ASSERT_TRUE(PlayedTo(ui, 1));
    EXPECT_TRUE(ShowsPicture(ui.dialog, QRect(24, 88, 480, 360)));
    EXPECT_TRUE(messages.empty());
}

} // namespace
} // namespace shell::test
