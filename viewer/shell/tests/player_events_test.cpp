// The main window's reaction to the player's and popups' messages.

#include "main_window_harness.h"
#include "player/player_messages.h"
#include "player/video_popup.h"
#include "settings/alert_popup.h"
#include "settings/setting_popup.h"
#include "shell/main_window_ids.h"

namespace shell::test {
namespace {

TEST_F(ShellTest, ClipEndOfTheLastOfThreeOpensTheFirstAtNormalSpeed) {
    MainWindowHarness ui;
    std::vector<std::string> list;
    for (const char* stamp : {"20110512_093015", "20110512_093021", "20110512_093027"})
        list.push_back(ui.Pair(folder, stamp));
    ui.Drop(list);
    ui.ClickAt(700, 577 + 44 + 5);
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    ui.Click(IDC_FAST);
    ui.Send(player::WM_PLAYER_CLIPEND, 0, player::kClipEndedAtLastEntry);
    EXPECT_TRUE(ui.dialog.playing());
    EXPECT_EQ(ui.dialog.playList().currentPath(), list[0]);
    EXPECT_EQ(ui.dialog.playList().highlightIndex(), 0);
    EXPECT_EQ(MainWindowHarness::LastCommandStartingWith("speed_set"), "speed_set 1.00 2");
}

TEST_F(ShellTest, ClipEndOfTheOnlyRecordingOpensItAgain) {
    MainWindowHarness ui;
    const std::string only = ui.Pair(folder, "20110512_093015");
    ui.Drop({only});
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    const std::size_t before = scripted::Commands().size();
    ui.Send(player::WM_PLAYER_CLIPEND, 0, player::kClipEndedAtLastEntry);
    EXPECT_EQ(ui.dialog.playList().currentPath(), only);
    EXPECT_GT(scripted::Commands().size(), before);
    EXPECT_EQ(MainWindowHarness::LastCommandStartingWith("tarn_loadfile").find("tarn_loadfile \"" + only), 0u);
}

TEST_F(ShellTest, ClipEndOnAnEmptyListOnlyStops) {
    MainWindowHarness ui;
    ui.Send(player::WM_PLAYER_CLIPEND, 0, player::kClipEndedAtLastEntry);
    EXPECT_FALSE(ui.dialog.playing());
    EXPECT_EQ(scripted::VelmoCalls(), 0);
}

TEST_F(ShellTest, ClipEndOfTheLibraryReachesTheNextRecording) {
    MainWindowHarness ui;
    const std::vector<std::string> list = {ui.Pair(folder, "20110512_093015"), ui.Pair(folder, "20110512_093021")};
    ui.Drop(list);
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    // The library's end of file at the last entry: the adapter enters Ended and tells the window.
    vexplayer::EntryCountInner inner{};
    inner.entryCount = 1;
    vexplayer::EntryCountRecord record{};
    record.inner = &inner;
    scripted::FireOnPlayerThread(vexplayer::kEventEntryCount, &record);
    scripted::FireOnPlayerThread(vexplayer::kEventUserDataIndex, nullptr);
    scripted::FireOnPlayerThread(vexplayer::kEventEndOfFile, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return ui.dialog.playList().currentPath() == list[1]; }));
    EXPECT_TRUE(ui.dialog.playing());
}

TEST_F(ShellTest, PopupTwiceIsPlacedOnceAndClosingBringsTheVideoBack) {
    MainWindowHarness ui;
    EXPECT_EQ(ui.Send(vexplayer::WM_PLAYER_POPUP, 1, 0), 1);
    player::VideoPopup* popup = ui.dialog.videoPopup(1);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->geometry(), QRect(130 + 185, 122 + 130, 650, 520));
    EXPECT_TRUE(ui.dialog.leftPopupShown());
    EXPECT_EQ(ui.dialog.adapter()->channel1PopupShown.load(), 1);
    EXPECT_EQ(ui.dialog.adapter()->channel1PopupWindow.load(), popup->hwnd());
    EXPECT_EQ(ui.dialog.adapter()->PopupVideoRects().channel[0].width, 640);

    popup->move(10, 10);
    ui.Send(vexplayer::WM_PLAYER_POPUP, 1, 0);  // already shown: only the flags
    EXPECT_EQ(popup->pos(), QPoint(10, 10));
    EXPECT_EQ(ui.dialog.videoPopup(1), popup);

    popup->findChild<platform::BitmapButton*>()->Click();  // its close button
    EXPECT_FALSE(popup->isVisible());
    EXPECT_FALSE(ui.dialog.leftPopupShown());
    EXPECT_EQ(ui.dialog.adapter()->channel1PopupShown.load(), 0);
    EXPECT_EQ(ui.dialog.adapter()->MainVideoRects().channel[0].x, 24);

    ui.Send(vexplayer::WM_PLAYER_POPUP, 1, 0);  // reopens the same window, placed again
    EXPECT_EQ(ui.dialog.videoPopup(1), popup);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->pos(), QPoint(130 + 185, 122 + 130));
}

TEST_F(ShellTest, SecondChannelPopupAndUnknownChannels) {
    MainWindowHarness ui;
    ui.Send(vexplayer::WM_PLAYER_POPUP, 3, 0);
    EXPECT_EQ(ui.dialog.videoPopup(1), nullptr);
    EXPECT_EQ(ui.dialog.videoPopup(2), nullptr);
    ui.Send(vexplayer::WM_PLAYER_POPUP, 2, 0);
    ASSERT_NE(ui.dialog.videoPopup(2), nullptr);
    EXPECT_TRUE(ui.dialog.rightPopupShown());
    EXPECT_EQ(ui.dialog.adapter()->channel2PopupShown.load(), 1);
    ui.dialog.videoPopup(2)->findChild<platform::BitmapButton*>()->Click();
    EXPECT_EQ(ui.dialog.adapter()->MainVideoRects().channel[1].x, 514);
    EXPECT_FALSE(ui.dialog.rightPopupShown());
}

// Before the window is created there is no adapter: the library's request does nothing.
TEST_F(ShellTest, PopupRequestWithoutAnAdapterDoesNothing) {
    CTripDeskDlg dialog(nullptr, scripted::kLibraryName);
    ASSERT_EQ(dialog.adapter(), nullptr);
    EXPECT_EQ(platform::SendMessage(dialog.hwnd(), vexplayer::WM_PLAYER_POPUP, 1, 0), 1);
    EXPECT_EQ(dialog.videoPopup(1), nullptr);
    EXPECT_FALSE(dialog.leftPopupShown());
}

// Notes the message number of every paint of a visible alert window.
class AlertPaints : public QObject {
public:
    AlertPaints() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* alert = dynamic_cast<settings::AlertPopupDlg*>(object);
        if (alert && event->type() == QEvent::Paint && alert->isVisible()) numbers.push_back(alert->Number());
        return false;
    }
    std::vector<int> numbers;
};

TEST_F(ShellTest, AlertMessageShowsTheSettingsWindowsAlert) {
    MainWindowHarness ui;
    AlertPaints paints;
    const std::uint64_t before = platform::TickCount();
    EXPECT_EQ(ui.Send(0x840, 4, 0), 1);
    EXPECT_GE(platform::TickCount() - before, 2200u);

    ASSERT_FALSE(paints.numbers.empty()) << "drawn while shown";
    EXPECT_EQ(std::count(paints.numbers.begin(), paints.numbers.end(), 4), std::ssize(paints.numbers));
    const settings::AlertPopupDlg* alert = ui.dialog.settingPopup()->alertWindow();
    ASSERT_NE(alert, nullptr);
    EXPECT_FALSE(alert->isVisible());
    // Message 4's white line starts at (width / 2 - 125, height / 2 - 15) = (11, 82).
    const QImage picture = const_cast<settings::AlertPopupDlg*>(alert)->grab().toImage();
    QRect ink;
    for (int y = 1; y < picture.height() - 1; ++y)
        for (int x = 1; x < picture.width() - 1; ++x)
            if (qRed(picture.pixel(x, y)) > 200 && qBlue(picture.pixel(x, y)) > 200) ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 11);
    EXPECT_LE(ink.left(), 15);
    EXPECT_GE(ink.top(), 82);
    EXPECT_LE(ink.top(), 90);
    EXPECT_GT(ink.width(), 120);
}

} // namespace
} // namespace shell::test
