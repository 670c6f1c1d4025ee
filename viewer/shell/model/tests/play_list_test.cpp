#include "shell/model/play_list.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace shell {
namespace {

std::vector<std::string> recordings(int count, const char* prefix = "drf2") {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i)
        paths.push_back("/card/" + std::string(prefix) + "_20110512_0930" + std::to_string(10 + i) +
                        ".mp4");
    return paths;
}

PlayList listOf(int count) {
    PlayList list;
    list.addSelected(recordings(count));
    return list;
}

TEST(PlayListTest, EightEntriesFillOnePage) {
    PlayList list = listOf(8);
    EXPECT_EQ(list.pageCount(), 1);
    EXPECT_EQ(list.rowsOnPage(), 8);
    EXPECT_EQ(list.scrollThumb(), PlayList::kFullThumb);
    EXPECT_FALSE(list.beginThumbDrag(600));
    list.pageDown();
    EXPECT_EQ(list.pageIndex(), 0);
}

TEST(PlayListTest, NineEntriesMakeTwoPagesAndHalfThumbs) {
    PlayList list = listOf(9);
    EXPECT_EQ(list.pageCount(), 2);
    EXPECT_EQ(list.rowsOnPage(), 8);
    EXPECT_EQ(list.scrollThumb(), (PixelRect{974, 595, 983, 664}));
    list.pageDown();
    EXPECT_EQ(list.pageIndex(), 1);
    EXPECT_EQ(list.rowsOnPage(), 1);
    EXPECT_EQ(list.scrollThumb(), (PixelRect{974, 664, 983, 734}));
    const auto rows = list.visibleRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].entryIndex, 8);
    EXPECT_EQ(rows[0].rect, (PixelRect{604, 577, 971, 599}));
    list.pageDown();
    EXPECT_EQ(list.pageIndex(), 1);
    list.pageUp();
    list.pageUp();
    EXPECT_EQ(list.pageIndex(), 0);
}

TEST(PlayListTest, SixteenEntriesMakeTwoFullPages) {
    PlayList list = listOf(16);
    EXPECT_EQ(list.pageCount(), 2);
    list.pageDown();
    EXPECT_EQ(list.rowsOnPage(), 8);
    EXPECT_EQ(list.visibleRows().back().rect, (PixelRect{604, 731, 971, 753}));
    EXPECT_EQ(listOf(17).pageCount(), 3);
}

TEST(PlayListTest, ThumbIsEmptyUntilFirstComputed) {
    PlayList list;
    EXPECT_FALSE(list.scrollThumb());
    EXPECT_EQ(list.rowsOnPage(), 0);
    EXPECT_EQ(list.pageCount(), 1);
    list.addSelected({});
    EXPECT_EQ(list.scrollThumb(), PlayList::kFullThumb);
}

TEST(PlayListTest, PathsAreListedOnceByExactComparison) {
    PlayList list;
    const std::vector<std::string> paths{"/c/drf2_1.mp4", "/c/DRF2_1.mp4", "/c/drf2_1.mp4",
                                         "/c/drf2_1.mp4 "};
    EXPECT_EQ(list.addSelected(paths), 3);
    EXPECT_EQ(list.addSelected(std::vector<std::string>{paths[0]}), 0);
    EXPECT_EQ(list.paths(), (std::vector<std::string>{paths[0], paths[1], paths[3]}));
}

TEST(PlayListTest, DropsAcceptOnlyTwoChannelAndParkingNames) {
    PlayList list;
    const std::string longPath = "/" + std::string(400, 'd') + "/evt2_20110512.mp4";
    const std::vector<std::string> dropped{"/c/drf2_1.mp4", "/c/drf0_1.mp4", "/c/notes.txt",
                                           "/c/mod0_1.mp4", "/c/drf2_1.mp4", longPath};
    EXPECT_EQ(list.addDropped(dropped), 3);
    EXPECT_EQ(list.paths(),
              (std::vector<std::string>{"/c/drf2_1.mp4", "/c/mod0_1.mp4", longPath}));
}

TEST(PlayListTest, ThumbDragsBeyondBothEnds) {
    PlayList list = listOf(9);
    ASSERT_TRUE(list.beginThumbDrag(600));
    EXPECT_TRUE(list.dragThumbTo(5000));
    EXPECT_EQ(list.pageIndex(), 1);
    EXPECT_EQ(list.scrollThumb(), (PixelRect{974, 664, 983, 733}));
    EXPECT_TRUE(list.dragThumbTo(-5000));
    EXPECT_EQ(list.pageIndex(), 0);
    EXPECT_EQ(list.scrollThumb(), (PixelRect{974, 595, 983, 664}));
    EXPECT_FALSE(list.dragThumbTo(-2147483647));
    EXPECT_TRUE(list.dragThumbTo(2147483647));
    EXPECT_EQ(list.pageIndex(), 1);
}

TEST(PlayListTest, ThumbDragStepByStep) {
    PlayList list = listOf(24);  // three pages, h = 46.333
    ASSERT_TRUE(list.beginThumbDrag(600));
    EXPECT_FALSE(list.dragThumbTo(630));  // top 625: (625 - 592) / 46.3 = 0.7
    EXPECT_EQ(list.scrollThumb(), (PixelRect{974, 625, 983, 671}));
    EXPECT_TRUE(list.dragThumbTo(650));   // top 645: 1.14
    EXPECT_EQ(list.pageIndex(), 1);
    // Back to a top of exactly 595: the page stays where it was.
    EXPECT_FALSE(list.dragThumbTo(600));
    EXPECT_EQ(list.pageIndex(), 1);
    EXPECT_EQ(list.scrollThumb()->top, 595);
    EXPECT_TRUE(list.dragThumbTo(599));   // top 594
    EXPECT_EQ(list.pageIndex(), 0);
    EXPECT_EQ(list.scrollThumb()->top, 595);
    EXPECT_TRUE(list.dragThumbTo(700));   // top 696: 2.24; kept at 734 - h
    EXPECT_EQ(list.pageIndex(), 2);
    EXPECT_EQ(list.scrollThumb(), (PixelRect{974, 687, 983, 733}));
}

TEST(PlayListTest, RowsHighlightWithoutOpening) {
    PlayList list = listOf(12);
    EXPECT_TRUE(list.highlightAt(700, 577 + 22 * 3 + 5));
    EXPECT_EQ(list.highlightIndex(), 3);
    EXPECT_EQ(list.playingIndex(), 0);
    EXPECT_FALSE(list.highlightAt(980, 600));  // the scroll bar
    list.pageDown();
    EXPECT_FALSE(list.highlightAt(700, 577 + 22 * 4 + 5));  // page 1 has four rows
    EXPECT_TRUE(list.highlightAt(700, 577 + 22 * 3 + 5));
    EXPECT_EQ(list.highlightIndex(), 11);
    EXPECT_EQ(list.openHighlighted(), list.paths()[11]);
    EXPECT_EQ(list.playingIndex(), 11);
}

TEST(PlayListTest, PrevAndNextWrapFromTheRecordingLastOpened) {
    PlayList three = listOf(3);
    three.openHighlighted();  // entry 0
    three.highlightAt(700, 577 + 22 * 2 + 1);
    ASSERT_TRUE(three.stepNext());
    EXPECT_EQ(three.playingIndex(), 1);
    EXPECT_EQ(three.highlightIndex(), 1);
    three.stepNext();
    three.stepNext();
    EXPECT_EQ(three.playingIndex(), 0);
    three.stepPrevious();
    EXPECT_EQ(three.playingIndex(), 2);
    EXPECT_EQ(three.highlightIndex(), 2);

    PlayList one = listOf(1);
    one.stepNext();
    EXPECT_EQ(one.playingIndex(), 0);
    one.stepPrevious();
    EXPECT_EQ(one.playingIndex(), 0);

    PlayList none;
    EXPECT_FALSE(none.stepNext());
    EXPECT_FALSE(none.stepPrevious());
    EXPECT_FALSE(none.openHighlighted());
}

TEST(PlayListTest, StepsMoveThePage) {
    PlayList list = listOf(12);
    list.stepPrevious();  // wraps to 11, on page 1
    EXPECT_EQ(list.pageIndex(), 1);
    list.stepNext();
    EXPECT_EQ(list.pageIndex(), 0);
}

TEST(PlayListTest, ClipEndMovesToTheNextEntryAndWraps) {
    PlayList list = listOf(10);
    list.highlightAt(700, 577 + 22 * 7 + 1);
    list.openHighlighted();
    list.stepAfterClipEnd();
    EXPECT_EQ(list.highlightIndex(), 8);
    EXPECT_EQ(list.pageIndex(), 1);
    list.openHighlighted();
    list.stepAfterClipEnd();
    list.openHighlighted();
    list.stepAfterClipEnd();
    EXPECT_EQ(list.highlightIndex(), 0);
    EXPECT_EQ(list.pageIndex(), 0);
    PlayList one = listOf(1);
    one.openHighlighted();
    one.stepAfterClipEnd();
    EXPECT_EQ(one.highlightIndex(), 0);
}

TEST(PlayListTest, DeleteListAndTitle) {
    PlayList list;
    list.addDropped(std::vector<std::string>{"/c/evt2_20110512_1.mp4", "/c/drf2_20110512_2.mp4"});
    EXPECT_EQ(list.titleText(), "");
    list.openHighlighted();
    EXPECT_EQ(list.titleText(), "evt2_20110512_1.mp4");
    list.stepNext();
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.titleText(), "");
    EXPECT_EQ(list.playingIndex(), 0);
    EXPECT_EQ(list.highlightIndex(), 0);
    EXPECT_EQ(list.pageCount(), 1);
    EXPECT_EQ(list.scrollThumb(), PlayList::kFullThumb);
    // Paths can come back after a delete.
    EXPECT_EQ(list.addDropped(std::vector<std::string>{"/c/evt2_20110512_1.mp4"}), 1);
}

} // namespace
} // namespace shell
