// The clip export message posted to the main window while the real player library plays a
// sample-card pair: playback stops and both copies are standard MP4 files of the card's bytes.

#include "box_bytes.h"
#include "main_window_harness.h"
#include "settings/alert_popup.h"
#include "settings/setting_popup.h"
#include "shell/main_window_ids.h"

namespace shell::test {
namespace {

namespace fs = std::filesystem;

using tripdesk::test::Bytes;
using tripdesk::test::kStandardFileTypeBox;
using tripdesk::test::ReadBytes;

class ClipSaveRealTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        platform::SetClockFastForward(false);  // the library plays in real time
    }
};

TEST_F(ClipSaveRealTest, PostedWhilePlayingStopsAndWritesBothCopies) {
    const fs::path card = TRIPDESK_SAMPLE_CARD_DIR;
    const std::string front = (card / "drf2_20110512_093015.mp4").string();
    const std::string rear = (card / "drf1_20110512_093015.mp4").string();
    MainWindowHarness ui(2, shell::CTripDeskDlg::kPlayerLibrary);
    ui.Drop({front});
    ui.DoubleClickAt(700, 582);
    ASSERT_TRUE(ui.dialog.playing());
    ASSERT_TRUE(WaitUntil([&] { return ui.dialog.adapter()->positionSeconds >= 1; }));
    const fs::path saveFolder = folder / "save";
    fs::create_directories(saveFolder);
    ui.dialog.settingPopup()->SetClipTarget({saveFolder.string() + "/", true, true});

    platform::PostMessage(ui.dialog.hwnd(), shell::WM_SAVE_CLIP, 1, 1);
    ASSERT_TRUE(WaitUntil([&] { return !messages.empty(); }));
    EXPECT_EQ(messages, std::vector<std::string>{"저장이 완료되었습니다."});
    EXPECT_FALSE(ui.dialog.playing());
    ASSERT_NE(ui.dialog.settingPopup()->alertWindow(), nullptr);
    EXPECT_EQ(ui.dialog.settingPopup()->alertWindow()->Number(), 2);

    for (const auto& [source, name] : {std::pair{front, "copy_drf2_20110512_093015.mp4"},
                                       std::pair{rear, "copy_drf1_20110512_093015.mp4"}}) {
        const Bytes copy = ReadBytes(saveFolder / name);
        const Bytes original = ReadBytes(source);
        ASSERT_EQ(copy.size(), original.size()) << name;
        EXPECT_TRUE(std::equal(kStandardFileTypeBox.begin(), kStandardFileTypeBox.end(), copy.begin()));
        EXPECT_TRUE(std::equal(copy.begin() + 24, copy.end(), original.begin() + 24));
    }
}

} // namespace
} // namespace shell::test
