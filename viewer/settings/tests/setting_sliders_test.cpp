// The Viewer Setting mode's sliders under synthesized mouse events, and their pixels.

#include "resources/resources.h"
#include "setting_window_fixture.h"

namespace settings::test {
namespace {

class SliderTest : public SettingWindowTest {
protected:
    SliderTest() { Open(SettingMode::ViewerSetting); }

    ViewerConfig config() const { return popup->CurrentConfig(); }
    const std::array<int, kSliderCount>& positions() const { return popup->SliderPositions(); }
};

// Thumbs after a start: G-sensor level 4 (x 154..186, y 84..103), speaker and microphone level 3
// (x 149..181, y 154..173 and 224..243).
TEST_F(SliderTest, ReleasingAtTheEndsOfTheRangesGivesTheEndLevels) {
    EXPECT_EQ(positions(), (std::array<int, kSliderCount>{128, 123, 123}));

    Drag({170, 94}, {24, 94});
    EXPECT_EQ(config().gsensorLevel, 0);
    EXPECT_EQ(positions()[kGsensorSlider], 0);
    EXPECT_FALSE(popup->Dragging());

    Drag({42, 94}, {289, 94});
    EXPECT_EQ(config().gsensorLevel, 8);
    EXPECT_EQ(positions()[kGsensorSlider], 256);

    Drag({165, 164}, {279, 164});
    EXPECT_EQ(config().speakerVolume, 6);
    EXPECT_EQ(positions()[kSpeakerSlider], 246);

    // Past the ends of the pointer range the thumb stays where it was.
    Drag({285, 164}, {280, 164});
    Drag({300, 94}, {23, 94});
    EXPECT_EQ(config().speakerVolume, 6);
    EXPECT_EQ(config().gsensorLevel, 8);
}

TEST_F(SliderTest, TheThumbSnapsToTheStepUnderThePointer) {
    Press(170, 94);
    EXPECT_TRUE(popup->Dragging());
    MoveTo(86, 94);   // (86 - 23) / 32 = 1
    EXPECT_EQ(positions()[kGsensorSlider], 32);
    EXPECT_EQ(config().gsensorLevel, 1) << "the record follows during the drag";
    MoveTo(87, 94);   // 2
    EXPECT_EQ(config().gsensorLevel, 2);
    Release(87, 94);
    MoveTo(289, 94);
    EXPECT_EQ(config().gsensorLevel, 2) << "a move after the release changes nothing";
}

TEST_F(SliderTest, ADragFromTheGsensorThumbIntoTheSpeakerBandMovesTheSpeaker) {
    Press(170, 94);
    MoveTo(100, 160);   // (100 - 23) / 41 = 1
    MoveTo(100, 130);   // between the bands: nothing
    MoveTo(30, 130);
    Release(30, 130);
    EXPECT_EQ(config().speakerVolume, 1);
    EXPECT_EQ(positions()[kSpeakerSlider], 41);
    EXPECT_EQ(config().gsensorLevel, 4);
    EXPECT_EQ(config().micVolume, 3);

    Press(100, 164);    // the speaker thumb, now at 67..99
    EXPECT_FALSE(popup->Dragging()) << "just past the thumb";
    Release(100, 164);
    Press(99, 164);
    MoveTo(250, 245);   // the microphone's band reaches to y 249
    Release(250, 245);
    EXPECT_EQ(config().micVolume, 5);
    EXPECT_EQ(config().speakerVolume, 1);
}

TEST_F(SliderTest, PressesOutsideAThumbDoNothing) {
    const QImage before = popup->backBuffer();
    for (const QPoint& at : {QPoint(153, 94), QPoint(187, 94), QPoint(170, 83), QPoint(170, 104), QPoint(100, 164),
                             QPoint(300, 234), QPoint(170, 120)}) {
        SCOPED_TRACE(at.x() * 1000 + at.y());
        Press(at.x(), at.y());
        EXPECT_FALSE(popup->Dragging());
        MoveTo(24, at.y());
        MoveTo(24, 94);
        Release(24, 94);
    }
    EXPECT_EQ(positions(), (std::array<int, kSliderCount>{128, 123, 123}));
    EXPECT_EQ(config(), WithAppliedLevels(ViewerConfig{}));
    EXPECT_EQ(popup->backBuffer(), before);

    // Outside the Viewer Setting mode there are no sliders to grab.
    popup->SetMode(SettingMode::FileSave);
    popup->Arrange();
    Press(170, 94);
    EXPECT_FALSE(popup->Dragging());
    Release(170, 94);
}

// The G-sensor slider's band starts at y 84: its caps and fill columns are 8 pixels high at y 89.
class SliderPixelTest : public SliderTest {
protected:
    // True when the back buffer shows image's columns [fromColumn, toColumn) at (x, y).
    bool Shows(const QImage& image, int x, int y, int fromColumn = 0, int toColumn = -1) const {
        if (toColumn < 0) toColumn = image.width();
        const QImage& buffer = popup->backBuffer();
        for (int row = 0; row < image.height(); ++row)
            for (int column = fromColumn; column < toColumn; ++column)
                if (buffer.pixel(x + column, y + row) != image.pixel(column, row)) return false;
        return true;
    }
    void DragGsensorTo(int level) {
        const int thumbCentre = positions()[kGsensorSlider] + 42;
        Drag({thumbCentre, 94}, {24 + level * 32, 94});
        ASSERT_EQ(config().gsensorLevel, level);
    }

    const QImage leftCap = resources::Bitmap(resources::kBitmapSliderLeftCap);
    const QImage fill = resources::Bitmap(resources::kBitmapSliderFill);
    const QImage rightCap = resources::Bitmap(resources::kBitmapSliderRightCap);
    const QImage thumb = resources::Bitmap(resources::kBitmapSliderThumb);
    const QImage gsensorTrack = resources::Bitmap(resources::kBitmapGsensorSliderTrack);
};

TEST_F(SliderPixelTest, ThumbFillAndCapsFollowTheLevel) {
    for (int level : {0, 4, 8}) {
        SCOPED_TRACE(level);
        DragGsensorTo(level);
        const int thumbX = 32 * level + 26;
        EXPECT_TRUE(Shows(thumb, thumbX, 84));
        // The left cap at x 23, where the thumb does not cover it.
        EXPECT_TRUE(Shows(leftCap, 23, 89, 0, std::min(5, thumbX - 23)));
        // Fill columns from x 28 up to the thumb; the track's own groove beyond it.
        for (int x = 28; x < thumbX; ++x) ASSERT_TRUE(Shows(fill, x, 89)) << x;
        const int beyond = thumbX + 33;
        EXPECT_FALSE(Shows(fill, beyond, 89));
        EXPECT_EQ(popup->backBuffer().pixel(beyond, 93), gsensorTrack.pixel(beyond - 21, 9));
        // At 256 the G-sensor slider is not past 262: its right cap never shows.
        EXPECT_TRUE(Shows(gsensorTrack.copy(294, 0, 4, 20), 315, 84));
    }
}

TEST_F(SliderPixelTest, TheSpeakerRightCapShowsOnlyAtItsLastLevel) {
    // The speaker track is 290 wide: its right cap would stand at x 304, y 159.
    const QImage volumeTrack = resources::Bitmap(resources::kBitmapVolumeSliderTrack);
    Drag({165, 164}, {228, 164});   // level 5, position 205: not past 212
    ASSERT_EQ(config().speakerVolume, 5);
    EXPECT_TRUE(Shows(volumeTrack.copy(283, 0, 5, 20), 304, 154));
    Drag({247, 164}, {279, 164});   // level 6, position 246
    ASSERT_EQ(config().speakerVolume, 6);
    EXPECT_TRUE(Shows(rightCap, 304, 159, 1, 5)) << "beside the thumb, which ends at x 304";
    EXPECT_TRUE(Shows(thumb, 272, 154));
}

} // namespace
} // namespace settings::test
