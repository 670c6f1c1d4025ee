#include "shell/model/speed_ladder.h"

#include <gtest/gtest.h>

namespace shell {
namespace {

// Fast and slow as the main window runs them: the command, then the speed reset.
std::string press(SpeedLadder& ladder, void (SpeedLadder::*command)()) {
    (ladder.*command)();
    ladder.reset();
    return ladder.label();
}

TEST(SpeedLadderTest, FastClimbsToTwoAndStays) {
    SpeedLadder ladder;
    EXPECT_EQ(ladder.label(), "1.00 x");
    EXPECT_EQ(press(ladder, &SpeedLadder::fast), "1.50 x");
    EXPECT_EQ(press(ladder, &SpeedLadder::fast), "2.00 x");
    EXPECT_EQ(press(ladder, &SpeedLadder::fast), "2.00 x");
    EXPECT_EQ(ladder.step(), 6);
    EXPECT_EQ(press(ladder, &SpeedLadder::slow), "1.50 x");
}

TEST(SpeedLadderTest, SlowFallsToAQuarterAndStays) {
    SpeedLadder ladder;
    EXPECT_EQ(press(ladder, &SpeedLadder::slow), "0.50 x");
    EXPECT_EQ(press(ladder, &SpeedLadder::slow), "0.25 x");
    EXPECT_EQ(press(ladder, &SpeedLadder::slow), "0.25 x");
    EXPECT_EQ(ladder.step(), 2);
    EXPECT_EQ(press(ladder, &SpeedLadder::fast), "0.50 x");
    EXPECT_EQ(ladder.factor(), 0.5);
}

TEST(SpeedLadderTest, ANewRecordingPlaysAtNormalSpeed) {
    SpeedLadder ladder;
    press(ladder, &SpeedLadder::fast);
    EXPECT_FALSE(ladder.keepSpeedOnce());
    ladder.reset();  // the reset after opening the next recording
    EXPECT_EQ(ladder.factor(), 1.0);
    EXPECT_EQ(ladder.step(), 4);
    ladder.slow();
    EXPECT_TRUE(ladder.keepSpeedOnce());
}

} // namespace
} // namespace shell
