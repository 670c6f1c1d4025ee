// "tarn_loadfile": the running player takes new files, and nothing of the old file is shown as
// the new one.

#include <gtest/gtest.h>

#include <cmath>

#include "player_harness.h"
#include "sample_card.h"

namespace vexplayer::testing {
namespace {

using tripdesk::test::SampleCard;

std::string LoadCommand(const std::string& channel1, const std::string& channel2) {
    return "tarn_loadfile \"" + channel1 + "\" \"" + channel2 + "\"";
}

int FrameIndexAt(float position) {
    return static_cast<int>(std::lround(position * samplecard::CardOptions::framesPerSecond));
}

// Checks that the frames after from show file "expected" and not file "other".
void ExpectPicturesOf(const std::vector<FrameEvent>& frames, const std::string& expected, const std::string& other) {
    for (const FrameEvent& frame : frames) {
        const int index = FrameIndexAt(frame.position);
        const int toExpected = VisiblyDifferentPixels(*frame.picture1, ReferenceSample(expected, index));
        const int toOther = VisiblyDifferentPixels(*frame.picture1, ReferenceSample(other, index));
        EXPECT_LT(toExpected, 20) << "at " << frame.position;
        EXPECT_GT(toOther, toExpected + 30) << "at " << frame.position;
    }
}

TEST(LoadFile, SwitchesTheRunningPlayerToTheNewFiles) {
    const SampleCard& card = SampleCard::get();
    const auto [frontA, rearA] = card.pair(0);
    const auto [frontB, rearB] = card.pair(3);   // another drive
    PlayerHarness player;
    player.start(frontA, rearA);
    ASSERT_FALSE(player.waitForFrames(1, 0).empty());
    ASSERT_EQ(player.command("seek 2.00 2"), 0);
    ASSERT_FALSE(player.waitForFrames(1, player.eventCount()).empty());

    const std::size_t from = player.eventCount();
    ASSERT_EQ(player.command(LoadCommand(frontB, rearB)), 0);
    const auto counted = player.waitForEvent(kEventEntryCount, from);
    ASSERT_TRUE(counted);
    EXPECT_EQ(player.events()[*counted].entryCount, card.entries());
    // Playback of the new files starts right after their entry count.
    const auto started = player.waitForEvent(kEventPlaybackStarted, *counted);
    ASSERT_TRUE(started);
    EXPECT_EQ(*started, *counted + 1);

    const auto frames = player.waitForFrames(4, *counted);
    ASSERT_GE(frames.size(), 4u);
    EXPECT_EQ(frames[0].position, 0.0f) << "the new file starts from its beginning";
    EXPECT_EQ(frames[0].pictureNumbers[0], 1u);
    for (std::size_t i = 1; i < frames.size(); ++i) EXPECT_GT(frames[i].position, frames[i - 1].position);
    ExpectPicturesOf({frames.begin(), frames.begin() + 4}, frontB, frontA);
    EXPECT_LT(VisiblyDifferentPixels(*frames[0].picture2, ReferenceSample(rearB, 0)), 20);
}

TEST(LoadFile, OpensAfterTheEndWhilePausedAndAfterAnError) {
    const SampleCard& card = SampleCard::get();
    const auto [frontA, rearA] = card.pair(0);
    const auto [frontB, rearB] = card.pair(3);
    PlayerHarness player;
    player.start(frontA, rearA);
    ASSERT_TRUE(player.waitForEvent(kEventFrame));
    ASSERT_EQ(player.command("seek " + std::to_string(card.seconds() - 1) + ".80 2"), 0);   // near the end
    const auto ended = player.waitForEvent(kEventEndOfFile);
    ASSERT_TRUE(ended);

    // After the end, as the viewer's Ended state does.
    ASSERT_EQ(player.command(LoadCommand(frontB, rearB)), 0);
    auto started = player.waitForEvent(kEventPlaybackStarted, *ended);
    ASSERT_TRUE(started);
    auto frames = player.waitForFrames(2, *started);
    ASSERT_GE(frames.size(), 2u);
    ExpectPicturesOf({frames.front()}, frontB, frontA);

    // While paused: the new file plays.
    ASSERT_EQ(player.command("pause"), 0);
    std::size_t from = player.eventCount();
    ASSERT_EQ(player.command(LoadCommand(frontA, rearA)), 0);
    frames = player.waitForFrames(10, from);
    ASSERT_GE(frames.size(), 10u);
    EXPECT_GT(frames.back().position, 0.2f);

    // A file that cannot be played: 23, 18, 35, and the player takes the next one.
    from = player.eventCount();
    ASSERT_EQ(player.command(LoadCommand(card.path("missing.mp4"), "")), 0);
    const auto failed = player.waitForEvent(kEventReadError, from);
    ASSERT_TRUE(failed);
    const auto codes = player.codes(from);
    const auto counted = std::find(codes.begin(), codes.end(), kEventEntryCount);
    ASSERT_NE(counted, codes.end());
    EXPECT_EQ(std::vector<int>(counted, counted + 3), (std::vector<int>{23, 18, 35}));
    PumpFor(200ms);
    const std::size_t afterError = player.eventCount();
    EXPECT_TRUE(player.frames(*failed).empty());
    ASSERT_EQ(player.command(LoadCommand(frontB, rearB)), 0);
    EXPECT_GE(player.waitForFrames(3, afterError).size(), 3u);
}

} // namespace
} // namespace vexplayer::testing
