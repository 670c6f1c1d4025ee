// Capture names: the recording's base name and the position, and the rear channel's name.
#include <gtest/gtest.h>

#include "capture/capture_name.h"
#include "capture/capture_save.h"

namespace capture {
namespace {

TEST(CaptureName, PositionDigitsAreTensOfMinutesMinutesTensOfSecondsSeconds) {
    EXPECT_EQ(PositionSuffix(0), "_0000.jpg");
    EXPECT_EQ(PositionSuffix(85), "_0125.jpg");
    EXPECT_EQ(PositionSuffix(3665), "_6105.jpg");
    EXPECT_EQ(PositionSuffix(599), "_0959.jpg");
    EXPECT_EQ(PositionSuffix(6000), "_10000.jpg") << "the first number keeps growing past 9";
}

TEST(CaptureName, BaseNameRunsFromTheFirstPrefixToTheExtension) {
    EXPECT_EQ(CaptureName("/media/card/DCIM/drf2_20240102_030405.mp4", 85), "drf2_20240102_030405_0125.jpg");
    EXPECT_EQ(CaptureName("/media/card/EVENT/evt2_20240102_030405.mp4", 0), "evt2_20240102_030405_0000.jpg");
    // "drf2" is looked for first, wherever "evt2" stands.
    EXPECT_EQ(CaptureName("/evt2_x/drf2_a.mp4", 1), "drf2_a_0001.jpg");
    EXPECT_EQ(CaptureName("/drf2_x/evt2_a.mp4", 1), "drf2_x/evt2_a_0001.jpg");
    // Parking and one-channel recordings have neither prefix.
    EXPECT_EQ(CaptureName("/media/card/PARK/mod0_20240102_030405.mp4", 85), "_0125.jpg");
    EXPECT_EQ(CaptureName("/media/card/DCIM/drf0_20240102_030405.mp4", 3665), "_6105.jpg");
    EXPECT_EQ(CaptureName("", 6000), "_10000.jpg");
    // A prefix at the very start of the text does not count (a path starts with a folder).
    EXPECT_EQ(CaptureName("drf2_a.mp4", 2), "_0002.jpg");
}

TEST(CaptureName, TheLastFourAreCharactersNotBytes) {
    // "전방" is two characters of three bytes each.
    EXPECT_EQ(CaptureName("/k/drf2_a전방mp", 5), "drf2_a_0005.jpg");
    EXPECT_EQ(CaptureName("/k/drf2_a전방.mp4", 5), "drf2_a전방_0005.jpg");
    // Nothing but the prefix: its own four characters are cut.
    EXPECT_EQ(CaptureName("/k/drf2", 5), "_0005.jpg");
}

TEST(CaptureName, RearRenamingTouchesTheNameOnly) {
    EXPECT_EQ(RearCaptureName("drf2_20240102_030405_0125.jpg"), "drf1_20240102_030405_0125.jpg");
    EXPECT_EQ(RearCaptureName("evt2_20240102_030405_0125.jpg"), "evt1_20240102_030405_0125.jpg");
    EXPECT_EQ(RearCaptureName("_0125.jpg"), "_0125.jpg");
    EXPECT_EQ(RearCaptureName("evt2_drf2_x.jpg"), "evt2_drf1_x.jpg") << "drf2_ before evt2_";

    CaptureFrames frames;
    frames.name = "drf2_20240102_030405_0125.jpg";
    const std::string folder = "/tmp/drf2_captures/evt2_old/";
    EXPECT_EQ(CapturePath(frames, CaptureSource::Front, folder), folder + "drf2_20240102_030405_0125.jpg");
    EXPECT_EQ(CapturePath(frames, CaptureSource::Rear, folder), folder + "drf1_20240102_030405_0125.jpg");
    EXPECT_EQ(CapturePath(frames, CaptureSource::Rear, ""), "drf1_20240102_030405_0125.jpg");
}

} // namespace
} // namespace capture
