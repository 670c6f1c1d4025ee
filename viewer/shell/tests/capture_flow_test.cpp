// Still capture and printing from the main window with the real player library on sample-card
// recordings: capture opens the settings window in its capture mode; the chosen picture is saved
// by the settings window's capture button; print puts the window on a PDF page.

#include <QPrinter>
#include <cmath>
#include <regex>

#include "capture/frame_bitmap.h"
#include "jpeg_judge.h"
#include "main_window_harness.h"
#include "settings/setting_popup.h"
#include "shell/main_window_ids.h"
#include "test_folders.h"

namespace shell::test {
namespace {

namespace fs = std::filesystem;

const fs::path kCard = TRIPDESK_SAMPLE_CARD_DIR;
constexpr const char* kPair = "drf2_20110512_093015.mp4";
constexpr const char* kParking = "mod0_20110512_221704.mp4";

// The sky at the top of each camera's picture, as the sample card paints it.
const QColor kFrontSky(61, 133, 198);
const QColor kRearSky(32, 18, 77);

bool Near(const std::uint8_t* rgb, const QColor& colour, int tolerance) {
    return std::abs(rgb[0] - colour.red()) <= tolerance && std::abs(rgb[1] - colour.green()) <= tolerance &&
           std::abs(rgb[2] - colour.blue()) <= tolerance;
}

// A frame picture (rows from the top, B, G, R, unused) as the tests' 24-bit picture.
capture::testing::Picture24 AsPicture(const std::vector<std::uint8_t>& frame) {
    const auto bitmap = capture::ToPackedBitmap(frame);
    capture::testing::Picture24 picture{640, 480, bitmap ? bitmap->rows : std::vector<std::uint8_t>{}};
    return picture;
}

class CaptureFlowTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        platform::SetClockFastForward(false);   // the library plays in real time
        // Kept after the run, to be looked at beside the window's picture.
        captures = tripdesk::test::FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    // Plays path, pauses once it has played `seconds` and captures.
    void PlayPauseCapture(MainWindowHarness& ui, const std::string& path, int seconds) {
        ui.Drop({path});
        ui.Click(IDC_PLAY);
        ASSERT_TRUE(WaitUntil([&] { return ui.dialog.adapter()->positionSeconds >= seconds; }));
        ui.Click(IDC_PAUSE);
        QTest::qWait(300);
        ui.Send(platform::WM_COMMAND, platform::MAKEWPARAM(IDC_CAPTURE, platform::BN_CLICKED), 0);
    }
    // What the user does in the capture mode: a folder from the browser, the source, the button.
    void SaveFromSettings(MainWindowHarness& ui, int sourceButton, const fs::path& into) {
        settings::SettingPopup& popup = *ui.dialog.settingPopup();
        ASSERT_EQ(popup.Mode(), settings::SettingMode::Capture);
        hooks.folderAnswers.push_back(into.string());
        popup.bitmapButton(settings::SettingPopup::kChooseFolderId)->Click();
        popup.item<QRadioButton>(sourceButton)->click();
        popup.bitmapButton(settings::SettingPopup::kActionId)->Click();
        EXPECT_EQ(popup.Mode(), settings::SettingMode::Idle);
        EXPECT_FALSE(popup.isVisible());
    }
    static constexpr int kFrontSource = 1084;
    static constexpr int kRearSource = 1085;
    fs::path captures;
};

TEST_F(CaptureFlowTest, FrontAndRearOfAPausedPairAreSavedUnderTheRecordingsName) {
    MainWindowHarness ui(2, CTripDeskDlg::kPlayerLibrary);
    PlayPauseCapture(ui, (kCard / kPair).string(), 2);
    settings::SettingPopup* settingsWindow = ui.dialog.settingPopup();
    EXPECT_EQ(settingsWindow->Mode(), settings::SettingMode::Capture);
    EXPECT_TRUE(settingsWindow->isVisible());
    EXPECT_EQ(settingsWindow->pos(), ui.dialog.mainPlacement().topLeft() + QPoint(324, 55));

    const capture::CaptureFrames& frames = ui.dialog.captureFrames();
    const int seconds = ui.dialog.adapter()->positionSeconds.load();
    ui.dialog.grab().save(QString::fromStdString((captures / "window.png").string()));
    EXPECT_EQ(frames.name, "drf2_20110512_093015_000" + std::to_string(seconds) + ".jpg");
    ASSERT_EQ(frames.frameBytes, capture::kFramePictureBytes);
    ASSERT_EQ(frames.rear.size(), capture::kFramePictureBytes);

    SaveFromSettings(ui, kFrontSource, captures);
    // Still paused: the second capture gives the same moment.
    ui.Send(platform::WM_COMMAND, platform::MAKEWPARAM(IDC_CAPTURE, platform::BN_CLICKED), 0);
    SaveFromSettings(ui, kRearSource, captures);
    EXPECT_TRUE(messages.empty());
    const fs::path front = captures / frames.name;
    const fs::path rear = captures / ("drf1_20110512_093015_000" + std::to_string(seconds) + ".jpg");
    std::printf("captures kept at %s and %s\n", front.c_str(), rear.c_str());
    for (const auto& [path, sky, picture] :
         {std::tuple{front, kFrontSky, &frames.front}, std::tuple{rear, kRearSky, &frames.rear}}) {
        const auto decoded = capture::testing::DecodeWithDjpeg(path);
        ASSERT_TRUE(decoded.clean) << path << ": " << decoded.messages;
        ASSERT_EQ(decoded.width, 640);
        ASSERT_EQ(decoded.height, 480);
        EXPECT_TRUE(Near(decoded.At(320, 4), sky, 16)) << path << " sky " << int(decoded.At(320, 4)[0]) << ","
                                                       << int(decoded.At(320, 4)[1]) << ","
                                                       << int(decoded.At(320, 4)[2]);
        const double psnr = capture::testing::Psnr(AsPicture(*picture), decoded);
        std::printf("%s PSNR %.2f dB against the adapter's copy\n", path.filename().c_str(), psnr);
        EXPECT_GE(psnr, 30.0);
    }

    // Another capture while the settings window is in another mode replaces the pictures and
    // the name only.
    settingsWindow->SetMode(settings::SettingMode::ViewerSetting);
    ui.Click(IDC_PAUSE);
    ASSERT_TRUE(WaitUntil([&] { return ui.dialog.adapter()->positionSeconds >= seconds + 2; }));
    ui.Click(IDC_PAUSE);
    QTest::qWait(300);
    const std::vector<std::uint8_t> before = frames.front;
    ui.Send(platform::WM_COMMAND, platform::MAKEWPARAM(IDC_CAPTURE, platform::BN_CLICKED), 0);
    EXPECT_EQ(frames.name,
              "drf2_20110512_093015_000" + std::to_string(ui.dialog.adapter()->positionSeconds.load()) + ".jpg");
    EXPECT_NE(frames.front, before);
    EXPECT_EQ(settingsWindow->Mode(), settings::SettingMode::ViewerSetting);
}

// A parking recording played in one-channel mode: no prefix of a name, no rear picture.
TEST_F(CaptureFlowTest, OneChannelRearSavesTheOnePictureUnderItsPosition) {
    MainWindowHarness ui(1, CTripDeskDlg::kPlayerLibrary);
    PlayPauseCapture(ui, (kCard / kParking).string(), 1);
    const capture::CaptureFrames& frames = ui.dialog.captureFrames();
    EXPECT_TRUE(std::regex_match(frames.name, std::regex("_00[0-9][0-9]\\.jpg"))) << frames.name;
    EXPECT_TRUE(frames.rear.empty());
    SaveFromSettings(ui, kRearSource, captures);
    const auto decoded = capture::testing::DecodeWithDjpeg(captures / frames.name);
    ASSERT_TRUE(decoded.clean) << decoded.messages;
    EXPECT_GE(capture::testing::Psnr(AsPicture(frames.front), decoded), 30.0);
}

TEST_F(CaptureFlowTest, AnUnwritableFolderShowsTheMessageAndThePath) {
    MainWindowHarness ui(2, CTripDeskDlg::kPlayerLibrary);
    PlayPauseCapture(ui, (kCard / kPair).string(), 1);
    const std::string missing = (folder / "no-such-folder").string() + "/";
    SaveFromSettings(ui, kRearSource, folder / "no-such-folder");
    ASSERT_EQ(messages.size(), 1u);
    const int seconds = ui.dialog.adapter()->positionSeconds.load();
    EXPECT_EQ(messages[0], "캡쳐 파일을 저장하지 못했습니다.\n" + missing + "drf1_20110512_093015_000" +
                               std::to_string(seconds) + ".jpg");
}

TEST_F(CaptureFlowTest, CaptureBeforePlayingDoesNothing) {
    MainWindowHarness ui(2, CTripDeskDlg::kPlayerLibrary);
    ui.Send(platform::WM_COMMAND, platform::MAKEWPARAM(IDC_CAPTURE, platform::BN_CLICKED), 0);
    EXPECT_TRUE(ui.dialog.captureFrames().name.empty());
    EXPECT_EQ(ui.dialog.settingPopup()->Mode(), settings::SettingMode::Idle);
    EXPECT_FALSE(ui.dialog.settingPopup()->isVisible());
}

TEST_F(CaptureFlowTest, PrintPutsThePlayingWindowOnALandscapePdfPage) {
    MainWindowHarness ui(2, CTripDeskDlg::kPlayerLibrary);
    PlayPauseCapture(ui, (kCard / kPair).string(), 1);
    const fs::path pdf = fs::path(TRIPDESK_TEST_WORK_DIR) / "main-window.pdf";
    fs::create_directories(pdf.parent_path());
    fs::remove(pdf);
    platform::SetPrintDialogHook([&](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        printer.setPageOrientation(QPageLayout::Portrait);
        return true;
    });
    ui.Send(platform::WM_COMMAND, platform::MAKEWPARAM(IDC_PRINT, platform::BN_CLICKED), 0);
    platform::SetPrintDialogHook(nullptr);
    EXPECT_TRUE(messages.empty());
    ASSERT_TRUE(fs::exists(pdf));
    std::printf("printed window kept at %s\n", pdf.c_str());
    const auto info = capture::testing::PdfInfo(pdf);
    EXPECT_EQ(info.at("Title"), "Qel");
    EXPECT_EQ(info.at("Pages"), "1");
    const auto size = capture::testing::PdfPageSize(info);
    ASSERT_TRUE(size);
    EXPECT_GT(size->first, size->second) << "landscape";
}

} // namespace
} // namespace shell::test
