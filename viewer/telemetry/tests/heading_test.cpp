#include "telemetry/heading.h"

#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

namespace telemetry {
namespace {

TEST(HeadingTest, FirstQuarterMatchesTheDialTable) {
    const NeedleOffsets table[] = {{0, 22}, {5, 21}, {11, 19}, {15, 15}, {19, 11}, {21, 5}, {22, 0}};
    for (int course = 0; course <= 90; ++course) {
        const int step = (course + 14) / 15;
        EXPECT_EQ(NeedleFor(course), table[step]) << course;
    }
    EXPECT_EQ(NeedleFor(84), (NeedleOffsets{22, 0}));
    EXPECT_EQ(NeedleFor(15), (NeedleOffsets{5, 21}));
    EXPECT_EQ(NeedleFor(16), (NeedleOffsets{11, 19}));
}

TEST(HeadingTest, PointsAlongTheTrueCourse) {
    EXPECT_EQ(NeedleFor(180), (NeedleOffsets{0, -22}));
    EXPECT_EQ(NeedleFor(270), (NeedleOffsets{-22, 0}));
    EXPECT_EQ(NeedleFor(359), (NeedleOffsets{0, 22}));
    EXPECT_EQ(NeedleFor(360), (NeedleOffsets{0, 22}));
    EXPECT_EQ(NeedleFor(100), (NeedleOffsets{21, -5}));
    EXPECT_EQ(NeedleFor(225), (NeedleOffsets{-15, -15}));
    EXPECT_EQ(NeedleFor(300), (NeedleOffsets{-19, 11}));
    // Every course points within a step of its true direction.
    for (int course = 0; course <= 360; ++course) {
        const auto needle = NeedleFor(course);
        ASSERT_TRUE(needle);
        const double drawn = std::atan2(needle->x, needle->y) * 180.0 / std::numbers::pi;
        const double error = std::remainder(drawn - course, 360.0);
        EXPECT_LT(std::abs(error), 17.0) << course;
    }
}

TEST(HeadingTest, NoNeedleOutsideTheCircle) {
    EXPECT_FALSE(NeedleFor(361));
    EXPECT_FALSE(NeedleFor(400));
    EXPECT_FALSE(NeedleFor(-5));
    EXPECT_FALSE(NeedleFor(-2147483647 - 1));
    EXPECT_FALSE(NeedleFor(2147483647));
}

} // namespace
} // namespace telemetry
