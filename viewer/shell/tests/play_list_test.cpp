// The play list as the user sees it: drops, pages, rows drawn in the back buffer, the scroll
// thumb, delete list.

#include "main_window_harness.h"
#include "resources/resources.h"
#include "shell/main_window_ids.h"

namespace shell::test {
namespace {

constexpr QRgb kHighlight = 0xFFAAFF4B;  // (170, 255, 75)
constexpr QRgb kThumb = 0xFF878787;      // (135, 135, 135)

std::vector<std::string> Pairs(MainWindowHarness& ui, const std::filesystem::path& folder, int n) {
    std::vector<std::string> paths;
    for (int i = 0; i < n; ++i) {
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "201105%02d_0930%02d", 10 + i / 10, i % 60);
        paths.push_back(ui.Pair(folder, stamp));
    }
    return paths;
}

// The back buffer after the window has painted.
QImage Painted(MainWindowHarness& ui) {
    ui.dialog.repaint();
    return ui.dialog.backBuffer();
}

int ThumbTop(const QImage& buffer) {
    for (int y = 592; y < 738; ++y)
        if (buffer.pixel(978, y) == kThumb) return y;
    return -1;
}
int ThumbBottom(const QImage& buffer) {
    for (int y = 737; y >= 592; --y)
        if (buffer.pixel(978, y) == kThumb) return y + 1;
    return -1;
}

bool RowHasText(const QImage& buffer, int row) {
    const QImage skin = resources::Bitmap(130);
    for (int y = 578 + 22 * row; y < 597 + 22 * row; ++y)
        for (int x = 740; x < 960; ++x)
            if (buffer.pixel(x, y) != skin.pixel(x, y) && buffer.pixel(x, y) != kHighlight) return true;
    return false;
}

TEST_F(ShellTest, EightEntriesFitOnePage) {
    MainWindowHarness ui;
    ui.Drop(Pairs(ui, folder, 8));
    EXPECT_EQ(ui.dialog.playList().pageCount(), 1);
    const QImage buffer = Painted(ui);
    for (int row = 0; row < 8; ++row) EXPECT_TRUE(RowHasText(buffer, row)) << row;
    EXPECT_EQ(ThumbTop(buffer), 595);
    EXPECT_EQ(ThumbBottom(buffer), 734);
    // The first row is highlighted, with its kind icon.
    EXPECT_EQ(buffer.pixel(900, 580), kHighlight);
    const QImage icon = resources::Bitmap(195);
    EXPECT_EQ(buffer.copy(618, 581, 14, 14), icon);
}

TEST_F(ShellTest, NineEntriesMakeTwoPagesAndTheArrowsPage) {
    MainWindowHarness ui;
    ui.Drop(Pairs(ui, folder, 9));
    EXPECT_EQ(ui.dialog.playList().pageCount(), 2);
    QImage buffer = Painted(ui);
    EXPECT_EQ(ThumbTop(buffer), 595);
    EXPECT_EQ(ThumbBottom(buffer), 664);
    ui.ClickAt(978, 745);  // down arrow
    EXPECT_EQ(ui.dialog.playList().pageIndex(), 1);
    buffer = Painted(ui);
    EXPECT_TRUE(RowHasText(buffer, 0));
    EXPECT_FALSE(RowHasText(buffer, 1));
    EXPECT_EQ(ThumbTop(buffer), 664);
    EXPECT_EQ(ThumbBottom(buffer), 734);
    ui.ClickAt(978, 745);  // no third page
    EXPECT_EQ(ui.dialog.playList().pageIndex(), 1);
    ui.ClickAt(978, 584);  // up arrow
    EXPECT_EQ(ui.dialog.playList().pageIndex(), 0);
}

TEST_F(ShellTest, SixteenEntriesMakeTwoFullPages) {
    MainWindowHarness ui;
    ui.Drop(Pairs(ui, folder, 16));
    EXPECT_EQ(ui.dialog.playList().pageCount(), 2);
    ui.ClickAt(978, 745);
    const QImage buffer = Painted(ui);
    for (int row = 0; row < 8; ++row) EXPECT_TRUE(RowHasText(buffer, row)) << row;
}

TEST_F(ShellTest, DropsKeepOrderAndRefuseDuplicatesAndOneChannelNames) {
    MainWindowHarness ui;
    const auto pairs = Pairs(ui, folder, 2);
    ui.Drop({pairs[1], pairs[0], pairs[1]});
    ui.Drop({pairs[0], (folder / "drf0_20110514_120020.mp4").string(), (folder / "notes.txt").string()});
    EXPECT_EQ(ui.dialog.playList().paths(), (std::vector<std::string>{pairs[1], pairs[0]}));
}

TEST_F(ShellTest, ThumbDragsBeyondBothEndsStayOnTheFirstAndLastPage) {
    MainWindowHarness ui;
    ui.Drop(Pairs(ui, folder, 30));  // four pages
    ASSERT_EQ(ui.dialog.playList().pageCount(), 4);
    ui.Press(978, 600);
    ui.MoveTo(978, 2000);
    EXPECT_EQ(ui.dialog.playList().pageIndex(), 3);
    ui.MoveTo(978, -2000);
    EXPECT_EQ(ui.dialog.playList().pageIndex(), 0);
    ui.Release(978, -2000);
    const QImage buffer = Painted(ui);
    EXPECT_EQ(ThumbTop(buffer), 595);
}

TEST_F(ShellTest, DoubleClickOpensTheRow) {
    MainWindowHarness ui;
    const auto pairs = Pairs(ui, folder, 3);
    ui.Drop(pairs);
    ui.DoubleClickAt(700, 577 + 22 + 5);
    ui.ReportPlaybackStarted();
    EXPECT_TRUE(ui.dialog.playing());
    EXPECT_EQ(ui.dialog.playList().currentPath(), pairs[1]);
}

TEST_F(ShellTest, TitleShowsTheRecordingFromItsPrefix) {
    MainWindowHarness ui;
    ui.Drop(Pairs(ui, folder, 1));
    const QImage skin = resources::Bitmap(130);
    auto titleDrawn = [&](const QImage& buffer) {
        for (int y = 54; y < 78; ++y)
            for (int x = 25; x < 300; ++x)
                if (buffer.pixel(x, y) != skin.pixel(x, y)) return true;
        return false;
    };
    EXPECT_FALSE(titleDrawn(Painted(ui)));
    ui.Click(IDC_PLAY);
    ui.ReportPlaybackStarted();
    EXPECT_TRUE(titleDrawn(Painted(ui)));
    ui.Click(IDC_DELETE_LIST);  // while playing: stops, empties, no title
    EXPECT_EQ(MainWindowHarness::LastCommandStartingWith("pt_step"), "pt_step 1 1");
    EXPECT_FALSE(ui.dialog.playing());
    EXPECT_TRUE(ui.dialog.playList().empty());
    const QImage buffer = Painted(ui);
    EXPECT_FALSE(titleDrawn(buffer));
    EXPECT_FALSE(RowHasText(buffer, 0));
    EXPECT_EQ(ThumbTop(buffer), 595);
    EXPECT_EQ(ThumbBottom(buffer), 734);
}

} // namespace
} // namespace shell::test
