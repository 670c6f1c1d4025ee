// The main window's clip export message over the scripted player: when it acts, the exact order
// of what it does to playback, and what the user is shown.

#include <QGuiApplication>
#include <QTest>
#include <sys/resource.h>

#include <csignal>

#include "box_bytes.h"
#include "main_window_harness.h"
#include "settings/alert_popup.h"
#include "settings/setting_popup.h"
#include "shell/main_window_ids.h"
#include "telemetry/draw_volume_bar.h"

namespace shell::test {
namespace {

namespace fs = std::filesystem;

// The boxes shown, with what was true when each appeared.
struct ShownBoxes {
    struct Box {
        std::string text;
        std::string caption;
        std::uint64_t tick;
        bool waitCursor;
        std::size_t commandsBefore;
    };
    ShownBoxes() {
        platform::SetMessageBoxHook([this](const platform::MessageBoxRequest& request) {
            boxes.push_back({request.text, request.caption, platform::TickCount(),
                             QGuiApplication::overrideCursor() != nullptr, scripted::Commands().size()});
            return platform::IDOK;
        });
    }
    std::vector<Box> boxes;
};

using tripdesk::test::Bytes;
using tripdesk::test::kStandardFileTypeBox;
using tripdesk::test::ReadBytes;

class ClipSaveTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        saveFolder = folder / "save";
        fs::create_directories(saveFolder);
    }
    // Plays a pair and points the settings window's clip target at the save folder.
    std::string StartPlaying(MainWindowHarness& ui) {
        const std::string front = ui.Pair(folder, "20110512_093015");
        ui.Drop({front});
        ui.Click(IDC_PLAY);
        ui.ReportPlaybackStarted();
        ui.dialog.settingPopup()->SetClipTarget({saveFolder.string() + "/", true, true});
        return front;
    }
    fs::path saveFolder;
};

TEST_F(ClipSaveTest, NothingHappensWithoutAnAdapterPlaybackOrRecordings) {
    ShownBoxes shown;
    {
        CTripDeskDlg notCreated(nullptr, scripted::kLibraryName);
        ASSERT_EQ(notCreated.adapter(), nullptr);
        EXPECT_EQ(platform::SendMessage(notCreated.hwnd(), shell::WM_SAVE_CLIP, 1, 1), 1);
    }
    MainWindowHarness ui;
    ui.Drop({ui.Pair(folder, "20110512_093015")});
    ui.dialog.settingPopup()->SetClipTarget({saveFolder.string() + "/", true, true});
    EXPECT_EQ(ui.Send(shell::WM_SAVE_CLIP, 1, 1), 1);   // listed, not playing
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    ui.Click(IDC_DELETE_LIST);
    const std::size_t commands = scripted::Commands().size();
    EXPECT_EQ(ui.Send(shell::WM_SAVE_CLIP, 1, 1), 1);   // the list emptied, which also stops
    EXPECT_EQ(scripted::Commands().size(), commands);
    EXPECT_TRUE(shown.boxes.empty());
    EXPECT_TRUE(fs::is_empty(saveFolder));
}

TEST_F(ClipSaveTest, AtDoubleSpeedPlaybackStopsSilentlyThenBothCopiesAndTheCompletion) {
    ShownBoxes shown;
    MainWindowHarness ui;
    const std::string front = StartPlaying(ui);
    ui.ClickAt(900, 490);   // volume bar at 67: 49 percent
    ui.ClickAt(700, 490);   // speed slider away from its rest
    ui.Click(IDC_FAST);
    ui.Click(IDC_FAST);
    ASSERT_EQ(ui.dialog.speed().label(), "2.00 x");
    ASSERT_NE(ui.dialog.speedSliderPos(), 48);
    const std::size_t before = scripted::Commands().size();
    const std::uint64_t start = platform::TickCount();

    EXPECT_EQ(ui.Send(shell::WM_SAVE_CLIP, 1, 1), 1);

    const std::vector<std::string> commands = scripted::Commands();
    EXPECT_EQ(std::vector<std::string>(commands.begin() + static_cast<std::ptrdiff_t>(before), commands.end()),
              (std::vector<std::string>{"volume 0 2", vexplayer::kCmdStop, "volume 49 2"}));
    EXPECT_EQ(ui.dialog.speedSliderPos(), 48);
    EXPECT_EQ(ui.dialog.volumeBar()->GetLevel(), 67);
    EXPECT_EQ(ui.dialog.volumePercent(), 49);
    EXPECT_FALSE(ui.dialog.playing());

    ASSERT_EQ(shown.boxes.size(), 1u);
    EXPECT_EQ(shown.boxes[0].text, "저장이 완료되었습니다.");
    EXPECT_EQ(shown.boxes[0].caption, "Vistrel");
    EXPECT_GE(shown.boxes[0].tick - start, 1000u);
    EXPECT_FALSE(shown.boxes[0].waitCursor);
    EXPECT_EQ(shown.boxes[0].commandsBefore, commands.size()) << "the volume is back before the box";
    const settings::AlertPopupDlg* alert = ui.dialog.settingPopup()->alertWindow();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->Number(), 2);

    for (const char* name : {"copy_drf2_20110512_093015.mp4", "copy_drf1_20110512_093015.mp4"}) {
        const Bytes copy = ReadBytes(saveFolder / name);
        const Bytes source = ReadBytes(front);
        ASSERT_EQ(copy.size(), source.size()) << name;
        EXPECT_TRUE(std::equal(kStandardFileTypeBox.begin(), kStandardFileTypeBox.end(), copy.begin()));
        EXPECT_TRUE(std::equal(copy.begin() + 24, copy.end(), source.begin() + 24));
    }
}

TEST_F(ClipSaveTest, ARearFileDeletedAfterPlaybackBeganGivesTheFrontCopyAndTheFailureBox) {
    ShownBoxes shown;
    MainWindowHarness ui;
    const std::string front = StartPlaying(ui);
    const fs::path rear = folder / "drf1_20110512_093015.mp4";
    fs::remove(rear);
    testing::internal::CaptureStdout();
    EXPECT_EQ(ui.Send(shell::WM_SAVE_CLIP, 1, 1), 1);
    const std::string traced = testing::internal::GetCapturedStdout();

    EXPECT_TRUE(fs::exists(saveFolder / "copy_drf2_20110512_093015.mp4"));
    EXPECT_EQ(std::distance(fs::directory_iterator(saveFolder), fs::directory_iterator()), 1);
    ASSERT_EQ(shown.boxes.size(), 1u);
    EXPECT_EQ(shown.boxes[0].text, "저장에 실패했습니다.");
    EXPECT_EQ(shown.boxes[0].caption, "Vistrel");
    EXPECT_EQ(ui.dialog.settingPopup()->alertWindow(), nullptr) << "no completion alert";
    EXPECT_NE(traced.find(rear.string()), std::string::npos) << traced;
    EXPECT_NE(traced.find("No such file or directory"), std::string::npos) << traced;
}

TEST_F(ClipSaveTest, OnlyTheRearInOneChannelModeRequestsNothingAndCompletes) {
    ShownBoxes shown;
    MainWindowHarness ui(1);
    ui.Drop({ui.Pair(folder, "20110512_093015", false)});
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    ASSERT_TRUE(ui.dialog.playing());
    ui.dialog.settingPopup()->SetClipTarget({saveFolder.string() + "/", false, true});
    EXPECT_EQ(ui.Send(shell::WM_SAVE_CLIP, 0, 1), 1);
    EXPECT_TRUE(fs::is_empty(saveFolder));
    ASSERT_EQ(shown.boxes.size(), 1u);
    EXPECT_EQ(shown.boxes[0].text, "저장이 완료되었습니다.");
    ASSERT_NE(ui.dialog.settingPopup()->alertWindow(), nullptr);
    EXPECT_EQ(ui.dialog.settingPopup()->alertWindow()->Number(), 2);
}

// A recording of the recorder's layout whose media box holds mediaBytes zero bytes.
void WriteLargeRecording(const fs::path& path, std::size_t mediaBytes) {
    using tripdesk::test::Box;
    const Bytes fileType = {'d', 'r', 'c', '1', 0, 0, 0, 1, 'd', 'r', 'c', '1', 'a', 'v', 'c', '1'};
    tripdesk::test::WriteBytes(path, tripdesk::test::Concat({Box("ftyp", fileType), Box("mdat", Bytes(mediaBytes)),
                                                             Box("moov", {})}));
}

// What a user does: the save command while playing, a folder from the browser, both squares
// ticked, the save button of the file-save mode.
TEST_F(ClipSaveTest, SaveCommandFolderSquaresAndSaveButtonGiveBothCopies) {
    ShownBoxes shown;
    MainWindowHarness ui;
    const std::string front = ui.Pair(folder, "20110512_093015");
    ui.Drop({front});
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    settings::SettingPopup& popup = *ui.dialog.settingPopup();

    ui.Send(platform::WM_COMMAND, platform::MAKEWPARAM(IDC_SAVE, platform::BN_CLICKED), 0);
    ASSERT_EQ(popup.Mode(), settings::SettingMode::FileSave);
    hooks.folderAnswers.push_back(saveFolder.string());
    popup.bitmapButton(settings::SettingPopup::kChooseFolderId)->Click();
    EXPECT_EQ(popup.ClipTarget().folder, saveFolder.string() + "/");
    QTest::mouseClick(&popup, Qt::LeftButton, {}, QPoint(30, 160));
    QTest::mouseClick(&popup, Qt::LeftButton, {}, QPoint(145, 160));
    // A second save command while the window is in use changes nothing.
    ui.Send(platform::WM_COMMAND, platform::MAKEWPARAM(IDC_SAVE, platform::BN_CLICKED), 0);
    EXPECT_TRUE(popup.ClipTarget().front && popup.ClipTarget().rear);
    EXPECT_TRUE(fs::is_empty(saveFolder));

    popup.bitmapButton(settings::SettingPopup::kActionId)->Click();

    EXPECT_EQ(popup.Mode(), settings::SettingMode::Idle);
    EXPECT_FALSE(popup.isVisible());
    EXPECT_FALSE(ui.dialog.playing());
    ASSERT_EQ(shown.boxes.size(), 1u);
    EXPECT_EQ(shown.boxes[0].text, "저장이 완료되었습니다.");
    ASSERT_NE(popup.alertWindow(), nullptr);
    EXPECT_EQ(popup.alertWindow()->Number(), 2);
    for (const auto& [copyName, sourceName] : {std::pair{"copy_drf2_20110512_093015.mp4", "drf2_20110512_093015.mp4"},
                                                std::pair{"copy_drf1_20110512_093015.mp4", "drf1_20110512_093015.mp4"}}) {
        const Bytes copy = ReadBytes(saveFolder / copyName);
        const Bytes source = ReadBytes(folder / sourceName);
        ASSERT_EQ(copy.size(), source.size()) << copyName;
        EXPECT_TRUE(std::equal(kStandardFileTypeBox.begin(), kStandardFileTypeBox.end(), copy.begin()));
        EXPECT_TRUE(std::equal(copy.begin() + 24, copy.end(), source.begin() + 24)) << copyName;
    }
}

constexpr int kFailureBoxShown = 0;
constexpr int kOtherOutcome = 3;

// The whole flow in a re-run of this program whose files may not grow beyond 64 KiB: the copy's
// write fails with EFBIG (SIGXFSZ ignored) and the window must say so.
TEST_F(ClipSaveTest, AFullDiskShowsTheFailureBoxAndLeavesTheEarlierCopy) {
    // A folder of the program's own, the same in the re-run, which makes the same files.
    const fs::path card = fs::path(TRIPDESK_TEST_WORK_DIR) / "full-disk";
    fs::remove_all(card);
    fs::create_directories(card / "save");
    const fs::path front = card / "drf2_20110512_093015.mp4";
    WriteLargeRecording(front, 256 * 1024);
    WriteLargeRecording(card / "drf1_20110512_093015.mp4", 16);
    const fs::path earlier = card / "save" / "copy_drf2_20110512_093015.mp4";
    const Bytes earlierBytes(500, 0x42);
    tripdesk::test::WriteBytes(earlier, earlierBytes);

    EXPECT_EXIT(
        {
            ShownBoxes shown;
            MainWindowHarness ui;
            ui.Drop({front.string()});
            ui.Click(IDC_PLAY);
            ui.ReportPlaybackStarted();
            ui.dialog.settingPopup()->SetClipTarget({(card / "save").string() + "/", true, false});
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit fileSize{};
            ::getrlimit(RLIMIT_FSIZE, &fileSize);
            fileSize.rlim_cur = 64 * 1024;
            ::setrlimit(RLIMIT_FSIZE, &fileSize);
            ui.Send(shell::WM_SAVE_CLIP, 1, 0);
            const bool failureShown = shown.boxes.size() == 1 && shown.boxes[0].text == "저장에 실패했습니다." &&
                                      ui.dialog.settingPopup()->alertWindow() == nullptr;
            std::fflush(stdout);
            ::_exit(failureShown ? kFailureBoxShown : kOtherOutcome);
        },
        ::testing::ExitedWithCode(kFailureBoxShown), "");
    EXPECT_EQ(std::distance(fs::directory_iterator(card / "save"), fs::directory_iterator()), 1)
        << "no temporary file is left";
    EXPECT_EQ(ReadBytes(earlier), earlierBytes);
}

} // namespace
} // namespace shell::test
