#include "shell/model/track_geometry.h"

#include <climits>

#include <gtest/gtest.h>

namespace shell {
namespace {

TEST(TrackGeometryTest, ProgressClicksSeek) {
    const int length = 60;
    EXPECT_EQ(SecondsAtProgress(TrackPositionAt(kProgressTrack, 40), length), 0);
    EXPECT_EQ(SecondsAtProgress(TrackPositionAt(kProgressTrack, 400), length), 60);
    EXPECT_EQ(TrackPositionAt(kProgressTrack, 224), 172);
    EXPECT_EQ(SecondsAtProgress(172, length), 29);
    EXPECT_EQ(SecondsAtProgress(345, INT_MAX), INT_MAX);
}

TEST(TrackGeometryTest, VolumeAndSpeedPositions) {
    EXPECT_EQ(TrackPositionAt(kVolumeTrack, 900), 67);
    EXPECT_EQ(VolumePercentAt(67), 49);
    EXPECT_EQ(VolumePercentAt(TrackPositionAt(kVolumeTrack, 990)), 100);
    EXPECT_EQ(VolumePercentAt(TrackPositionAt(kVolumeTrack, 800)), 0);
    EXPECT_EQ(TrackPositionAt(kSpeedTrack, 644), 0);
    EXPECT_EQ(TrackPositionAt(kSpeedTrack, 700), 55);
    EXPECT_EQ(TrackPositionAt(kSpeedTrack, 744), 98);
    EXPECT_EQ(TrackPositionAt(kSpeedTrack, INT_MIN), 0);
    EXPECT_EQ(TrackPositionAt(kSpeedTrack, INT_MAX), 98);
}

TEST(TrackGeometryTest, HitRectangles) {
    EXPECT_TRUE(kProgressTrack.click.contains(35, 486));
    EXPECT_FALSE(kProgressTrack.click.contains(415, 490));
    EXPECT_FALSE(kProgressTrack.click.contains(100, 493));
    EXPECT_TRUE(kVolumeTrack.click.contains(900, 490));
    EXPECT_EQ(ProgressThumbRect(0), (PixelRect{36, 481, 69, 501}));
    EXPECT_EQ(ProgressThumbRect(345), (PixelRect{381, 481, 414, 501}));
    EXPECT_EQ(VolumeThumbRect(135), (PixelRect{957, 481, 980, 501}));
}

TEST(TrackGeometryTest, PlaybackTimeToProgress) {
    EXPECT_EQ(ProgressPositionForTime(30, 60), 172);
    EXPECT_EQ(ProgressPositionForTime(60, 60), 345);
    EXPECT_EQ(ProgressPositionForTime(61, 60), std::nullopt);
    EXPECT_EQ(ProgressPositionForTime(5, 0), 0);
    EXPECT_EQ(ProgressPositionForTime(-3, 60), 0);
    EXPECT_EQ(ProgressPositionForTime(INT_MAX, INT_MAX), 345);
}

} // namespace
} // namespace shell
