// The main window's commands over the scripted player: opening, prev and next, the speed
// ladder, the tracks, stop, and the messages a user sees.

#include "main_window_harness.h"
#include "settings/info_popup.h"
#include "settings/setting_popup.h"
#include "shell/main_window_ids.h"
#include "telemetry/draw_progress_bar.h"
#include "telemetry/draw_volume_bar.h"

namespace shell::test {
namespace {

std::string LoadCommandFor(const std::string& front) {
    std::string rear = front;
    rear.replace(rear.find("drf2"), 4, "drf1");
    return "tarn_loadfile \"" + front + "\" \"" + rear + "\"";
}

TEST_F(ShellTest, PlayOpensTheHighlightedRowAndNextStartsFromTheOneLastOpened) {
    MainWindowHarness ui;
    const std::vector<std::string> list = {ui.Pair(folder, "20110512_093015"), ui.Pair(folder, "20110512_093021"),
                                           ui.Pair(folder, "20110512_093027")};
    ui.Drop(list);
    ui.ClickAt(700, 577 + 22 * 2 + 5);  // highlight the third row
    EXPECT_EQ(ui.dialog.playList().highlightIndex(), 2);
    EXPECT_FALSE(ui.dialog.playing());  // a press only highlights
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    EXPECT_TRUE(ui.dialog.playing());
    EXPECT_EQ(ui.dialog.playList().currentPath(), list[2]);

    ui.ClickAt(700, 577 + 5);  // highlight the first row, then next: from the one last opened
    ui.Click(IDC_NEXT_FILE);
    EXPECT_EQ(ui.dialog.playList().currentPath(), list[0]);  // wrapped after the last
    EXPECT_TRUE(MainWindowHarness::Sent(LoadCommandFor(list[0])));
    ui.Click(IDC_PREV_FILE);
    EXPECT_EQ(ui.dialog.playList().currentPath(), list[2]);  // wrapped before the first
    EXPECT_EQ(ui.dialog.playList().highlightIndex(), 2);
    ui.Click(IDC_NEXT_FILE);
    ui.Click(IDC_NEXT_FILE);
    EXPECT_EQ(ui.dialog.playList().currentPath(), list[1]);
}

TEST_F(ShellTest, PrevNextAndPlayDoNothingOnAnEmptyList) {
    MainWindowHarness ui;
    for (int id : {IDC_PREV_FILE, IDC_NEXT_FILE, IDC_PLAY}) ui.Click(id);
    EXPECT_FALSE(ui.dialog.playing());
    EXPECT_EQ(scripted::VelmoCalls(), 0);
}

TEST_F(ShellTest, TheHiddenPrintSaveAndUsbButtonsDoNothingWhenClicked) {
    MainWindowHarness ui;
    ui.Drop({ui.Pair(folder, "20110512_093015")});
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    // Playing with a list: save would find every condition it needs if it took the click.
    const auto shownWindows = [] {
        int count = 0;
        for (const QWidget* w : QApplication::topLevelWidgets()) count += w->isVisible() ? 1 : 0;
        return count;
    };
    const int windowsBefore = shownWindows();
    const auto commandsBefore = scripted::Commands();
    for (int id : {IDC_PRINT, IDC_SAVE, IDC_USB}) {
        ui.Click(id);
        // Where the button would stand, the press reaches the main window itself.
        const QPoint centre = ui.dialog.GetDlgItem(id)->geometry().center();
        ui.ClickAt(centre.x(), centre.y());
        QApplication::processEvents();
    }
    EXPECT_EQ(shownWindows(), windowsBefore);
    EXPECT_FALSE(ui.dialog.settingPopup()->isVisible());
    EXPECT_EQ(scripted::Commands(), commandsBefore);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(ui.dialog.playing());
}

TEST_F(ShellTest, SpeedLadderAndANewRecordingAtNormalSpeed) {
    MainWindowHarness ui;
    ui.Drop({ui.Pair(folder, "20110512_093015"), ui.Pair(folder, "20110512_093021")});
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    const char* expectedFast[] = {"speed_set 1.50 2", "speed_set 2.00 2", "speed_set 2.00 2"};
    for (const char* expected : expectedFast) {
        ui.Click(IDC_FAST);
        EXPECT_EQ(MainWindowHarness::LastCommandStartingWith("speed_set"), expected);
    }
    EXPECT_EQ(ui.dialog.speed().label(), "2.00 x");
    ui.Click(IDC_NEXT_FILE);
    EXPECT_EQ(MainWindowHarness::LastCommandStartingWith("speed_set"), "speed_set 1.00 2");
    const char* expectedSlow[] = {"speed_set 0.50 2", "speed_set 0.25 2", "speed_set 0.25 2"};
    for (const char* expected : expectedSlow) {
        ui.Click(IDC_SLOW);
        EXPECT_EQ(MainWindowHarness::LastCommandStartingWith("speed_set"), expected);
    }
    ui.Click(IDC_FAST);
    EXPECT_EQ(MainWindowHarness::LastCommandStartingWith("speed_set"), "speed_set 0.50 2");
    EXPECT_EQ(ui.dialog.speed().label(), "0.50 x");
}

TEST_F(ShellTest, ProgressTrackClicksSeekWithinTheClip) {
    MainWindowHarness ui;
    ui.Drop({ui.Pair(folder, "20110512_093015")});
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    ui.ReportClipLength(60.0f);
    // Each press lands on the track beside the thumb, so it seeks at once: no drag, no release
    // needed. The thumb spans x = p + 36 .. p + 69.
    const auto pressSeeks = [&ui](int x) {
        ui.Press(x, 490);
        const auto commands = scripted::Commands();
        ui.Release(x, 490);
        return commands.size() >= 2 && commands[commands.size() - 2] == "pause" ? commands.back() : std::string();
    };
    EXPECT_EQ(pressSeeks(400), "seek 60.00 2");  // thumb at 0: 36 .. 69
    EXPECT_EQ(ui.dialog.progressBar()->GetPosition(), 345);
    EXPECT_EQ(pressSeeks(40), "seek 0.00 2");    // thumb at 345: 381 .. 414
    EXPECT_EQ(pressSeeks(224), "seek 29.00 2");  // thumb at 0 again
}

TEST_F(ShellTest, ThumbDragSeeksOnRelease) {
    MainWindowHarness ui;
    ui.Drop({ui.Pair(folder, "20110512_093015")});
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    ui.ReportClipLength(60.0f);
    const std::size_t before = scripted::Commands().size();
    ui.Press(50, 490);  // on the thumb at position 0
    EXPECT_EQ(scripted::Commands().back(), "pause");
    ui.MoveTo(500, 490);  // past the end of the track
    ui.MoveTo(224, 490);
    EXPECT_EQ(scripted::Commands().size(), before + 1);  // nothing sent while dragging
    ui.Release(224, 490);
    EXPECT_EQ(scripted::Commands().back(), "seek 29.00 2");
}

TEST_F(ShellTest, VolumeTrackClickAndMessage) {
    MainWindowHarness ui;
    ui.Drop({ui.Pair(folder, "20110512_093015")});
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    ui.ClickAt(900, 490);
    EXPECT_EQ(ui.dialog.volumePercent(), 49);
    EXPECT_EQ(ui.dialog.volumeBar()->GetLevel(), 67);
    EXPECT_EQ(scripted::Commands().back(), "volume 49 2");
    ui.Send(0x870, 80, 0);  // WM_SET_VOLUME
    EXPECT_EQ(scripted::Commands().back(), "volume 80 2");
    EXPECT_EQ(ui.dialog.volumePercent(), 80);
    EXPECT_EQ(ui.dialog.volumeBar()->GetLevel(), 67);  // the bar stays where it is
}

TEST_F(ShellTest, TracksIgnoreClicksWhileNothingPlays) {
    MainWindowHarness ui;
    ui.ClickAt(224, 490);
    ui.ClickAt(900, 490);
    ui.ClickAt(700, 490);
    EXPECT_EQ(ui.dialog.volumeBar()->GetLevel(), 0);
    EXPECT_EQ(ui.dialog.speedSliderPos(), 48);
    EXPECT_TRUE(scripted::Commands().empty());
}

TEST_F(ShellTest, PauseTogglesAndPlayResumes) {
    MainWindowHarness ui;
    ui.Drop({ui.Pair(folder, "20110512_093015")});
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    ui.Click(IDC_PAUSE);
    EXPECT_TRUE(ui.dialog.paused());
    const std::size_t loads = scripted::Commands().size();
    ui.Click(IDC_PLAY);  // resumes, opens nothing
    EXPECT_FALSE(ui.dialog.paused());
    EXPECT_EQ(scripted::Commands().size(), loads + 1);
    EXPECT_EQ(scripted::Commands().back(), "pause");
}

// The player resumes on every seek: a seek while paused ends the pause, so the next Pause pauses
// and the next Play opens (it would otherwise send "pause" to a playing player).
TEST_F(ShellTest, ASeekWhilePausedEndsThePause) {
    MainWindowHarness ui;
    ui.Drop({ui.Pair(folder, "20110512_093015")});
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    ui.ReportClipLength(60.0f);
    ui.Click(IDC_PAUSE);
    ui.ClickPush(IDC_F_SEEK);
    EXPECT_FALSE(ui.dialog.paused());
    ui.Click(IDC_PAUSE);
    EXPECT_TRUE(ui.dialog.paused());
    EXPECT_EQ(scripted::Commands().back(), "pause");

    ui.ClickAt(224, 490);  // the progress track
    EXPECT_EQ(MainWindowHarness::LastCommandStartingWith("seek"), "seek 29.00 2");
    EXPECT_FALSE(ui.dialog.paused());
    ui.Click(IDC_PLAY);
    EXPECT_EQ(MainWindowHarness::LastCommandStartingWith("tarn_loadfile"), LoadCommandFor(ui.Pair(folder, "20110512_093015")));
}

TEST_F(ShellTest, SeekAndFrameStepButtonsSendTheirCommands) {
    MainWindowHarness ui;
    ui.Drop({ui.Pair(folder, "20110512_093015")});
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    ui.ClickPush(IDC_F_SEEK);
    EXPECT_EQ(scripted::Commands().back(), "seek 1.00");
    ui.ClickPush(IDC_B_SEEK);
    EXPECT_EQ(scripted::Commands().back(), "seek -1.00");
    ui.Click(IDC_STOP);
    EXPECT_EQ(MainWindowHarness::LastCommandStartingWith("pt_step"), "pt_step 1 1");
    EXPECT_FALSE(ui.dialog.playing());
    const std::size_t count = scripted::Commands().size();
    ui.ClickPush(IDC_F_SEEK);  // needs playing
    EXPECT_EQ(scripted::Commands().size(), count);
}

TEST_F(ShellTest, MissingRearFileShowsTheOneChannelMessageAndDoesNotPlay) {
    MainWindowHarness ui;
    ui.Drop({ui.Pair(folder, "20110512_093015", false)});
    ui.Click(IDC_PLAY);
    EXPECT_EQ(messages, std::vector<std::string>{"1채널 전용 뷰어를 실행해 주십시요"});
    EXPECT_FALSE(ui.dialog.playing());
    EXPECT_EQ(scripted::VelmoCalls(), 0);
}

TEST_F(ShellTest, EmptyRearFileCountsAsMissing) {
    MainWindowHarness ui;
    const std::string front = ui.Pair(folder, "20110512_093015", false);
    std::ofstream(folder / "drf1_20110512_093015.mp4");
    ui.Drop({front});
    ui.Click(IDC_PLAY);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_FALSE(ui.dialog.playing());
}

TEST_F(ShellTest, OneChannelModePlaysTheFileAloneWithoutMessage) {
    MainWindowHarness ui(1);
    const auto front = folder / "drf0_20110514_120020.mp4";
    WriteRecording(front);
    // One-channel names are not accepted by a drop; a parking recording is.
    ui.Drop({front.string()});
    EXPECT_TRUE(ui.dialog.playList().empty());
    const auto parking = folder / "mod0_20110512_221704.mp4";
    WriteRecording(parking);
    ui.Drop({parking.string()});
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    EXPECT_TRUE(ui.dialog.playing());
    EXPECT_TRUE(messages.empty());
    const auto args = scripted::VelmoArguments();
    ASSERT_EQ(args.size(), 7u);
    EXPECT_EQ(args[5], parking.string());
    EXPECT_EQ(args[6], "");
}

TEST_F(ShellTest, ClockfixIsStartedFromTheCurrentFolderOrReportedMissing) {
    MainWindowHarness ui;
    const auto oldPath = qgetenv("PATH");
    const auto oldDir = std::filesystem::current_path();
    qputenv("PATH", folder.string().c_str());
    std::filesystem::current_path(folder);
    ui.Click(IDC_CLOCKFIX);
    qputenv("PATH", oldPath);
    EXPECT_EQ(messages, std::vector<std::string>{"Clockfix.exe 파일이 존재하지 않습니다."});

    const auto program = folder / "clockfix";
    std::ofstream(program) << "#!/bin/sh\ntouch started\n";
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    ui.Click(IDC_CLOCKFIX);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(WaitUntil([&] { return std::filesystem::exists(folder / "started"); }));
    std::filesystem::current_path(oldDir);
}

TEST_F(ShellTest, InfoWindowOpensBesideTheMainWindow) {
    MainWindowHarness ui;
    ui.Click(IDC_INFO);
    ASSERT_NE(ui.dialog.infoPopup(), nullptr);
    EXPECT_TRUE(ui.dialog.infoPopup()->isVisible());
    EXPECT_EQ(ui.dialog.infoPopup()->pos(), QPoint(130 + 324, 122 + 263));
}

} // namespace
} // namespace shell::test
