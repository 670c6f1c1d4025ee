// The start handshake, the records, the pictures, the end of the clip and the two ways out.

#include <gtest/gtest.h>

#include <cmath>

#include "platform/messages.h"
#include "player_harness.h"
#include "sample_card.h"

namespace vexplayer::testing {
namespace {

using tripdesk::test::SampleCard;

constexpr int kFramesPerSecond = samplecard::CardOptions::framesPerSecond;

int FrameIndexAt(float position) { return static_cast<int>(std::lround(position * kFramesPerSecond)); }

// The user-data index reported right before each frame event, with that frame.
std::vector<std::pair<std::uint32_t, FrameEvent>> IndexedFrames(const std::vector<Event>& events) {
    std::vector<std::pair<std::uint32_t, FrameEvent>> indexed;
    for (std::size_t i = 1; i < events.size(); ++i)
        if (events[i].frame && events[i - 1].code == kEventUserDataIndex)
            indexed.emplace_back(static_cast<std::uint32_t>(events[i - 1].value), *events[i].frame);
    return indexed;
}

TEST(PlayerStart, ReportsTheHandshakeInTheViewersOrder) {
    const auto [front, rear] = SampleCard::get().pair(0);
    PlayerHarness player;
    player.start(front, rear);
    const auto firstFrame = player.waitForEvent(kEventFrame);
    ASSERT_TRUE(firstFrame);
    const std::vector<int> expected{21, 10, 17, 29, 25, 28, 26, 27, 30, 31, 32, 33, 34, 36, 37, 3, 4, 23, 0, 18};
    std::vector<int> start = player.codes();
    start.resize(expected.size());
    EXPECT_EQ(start, expected);
    EXPECT_EQ(player.codes(*firstFrame - 1).front(), kEventUserDataIndex) << "24 comes before each 6";

    const auto events = player.events();
    EXPECT_EQ(events[17].entryCount, SampleCard::get().entries());
    const auto length = player.waitForEvent(kEventClipLength);
    ASSERT_TRUE(length) << "get_time_length is answered";
    EXPECT_NEAR(player.events()[*length].clipLength, SampleCard::get().seconds(), 0.05);

    // The video windows are real windows inside the main window, at the viewer's rectangles.
    for (int channel = 0; channel < 2; ++channel) {
        const platform::HWND handle = player.videoWindow(channel);
        ASSERT_TRUE(platform::IsWindow(handle));
        const QRect wanted(PlayerHarness::kMainRects.channel[channel].x, PlayerHarness::kMainRects.channel[channel].y,
                           480, 360);
        EXPECT_TRUE(WaitUntil([&] {
            platform::Window* window = platform::FromHandle(handle);
            return window->parentWidget() == player.mainWindow() && window->geometry() == wanted &&
                   window->isVisible();
        })) << "channel " << channel + 1;
    }
}

TEST(PlayerFrames, CarryBothChannelsPicturesOfOneMoment) {
    const auto [front, rear] = SampleCard::get().pair(0);
    PlayerHarness player;
    player.start(front, rear);
    const auto frames = player.waitForFrames(12, 0);
    ASSERT_GE(frames.size(), 12u);
    const FrameEvent& frame = frames[10];
    EXPECT_EQ(frame.pictureBytes, kFramePictureBytes);
    ASSERT_TRUE(frame.hasPicture1 && frame.hasPicture2);
    EXPECT_EQ(frame.positions[0], frame.position);
    EXPECT_EQ(frame.positions[1], frame.position) << "the channels are shown in step";

    const int index = FrameIndexAt(frame.position);
    const PictureSample frontReference = ReferenceSample(front, index);
    const PictureSample rearReference = ReferenceSample(rear, index);
    ASSERT_FALSE(frontReference.empty());
    ASSERT_FALSE(rearReference.empty());
    EXPECT_LT(VisiblyDifferentPixels(*frame.picture1, frontReference), 20);
    EXPECT_LT(VisiblyDifferentPixels(*frame.picture2, rearReference), 20);
    EXPECT_GT(VisiblyDifferentPixels(*frame.picture1, rearReference), 500) << "front and rear differ";
    // A neighbouring picture differs in its burned-in clock: the match is of this very picture.
    EXPECT_GT(VisiblyDifferentPixels(*frame.picture1, ReferenceSample(front, index + 9)),
              VisiblyDifferentPixels(*frame.picture1, frontReference));
}

TEST(PlayerFrames, EachPictureCarriesTheEntryOfItsTimeAndTheClipEnds) {
    const auto [front, rear] = SampleCard::get().pair(1);
    PlayerHarness player;
    player.start(front, rear);
    ASSERT_TRUE(player.waitForEvent(kEventFrame));
    ASSERT_EQ(player.command("speed_set 2.00 2"), 0);
    const auto end = player.waitForEvent(kEventEndOfFile);
    ASSERT_TRUE(end);

    const auto indexed = IndexedFrames(player.events());
    ASSERT_GT(indexed.size(), 10u);
    for (std::size_t i = 0; i + 1 < indexed.size(); ++i) {
        const auto& [index, frame] = indexed[i];
        const auto expected = static_cast<std::uint32_t>(std::lround(frame.position * 1000) / 100);
        EXPECT_EQ(index, expected) << "at " << frame.position;
        EXPECT_GT(indexed[i + 1].second.position, frame.position);
    }
    const auto lastEntry = SampleCard::get().entries() - 1;
    EXPECT_EQ(indexed.back().first, lastEntry) << "the last picture carries the last entry";
    EXPECT_NEAR(indexed.back().second.position, SampleCard::get().seconds() - 1.0 / kFramesPerSecond, 0.001);

    // At the end the player waits; nothing more is shown until it is told something.
    const std::size_t afterEnd = *end + 1;
    PumpFor(300ms);
    EXPECT_TRUE(player.frames(afterEnd).empty());
    EXPECT_EQ(player.codes(afterEnd), std::vector<int>{});

    // A seek plays again: the viewer is told that playback started.
    ASSERT_EQ(player.command("seek 1.00 2"), 0);
    const auto again = player.waitForEvent(kEventPlaybackStarted, afterEnd);
    ASSERT_TRUE(again);
    const auto frames = player.waitForFrames(1, *again);
    ASSERT_FALSE(frames.empty());
    EXPECT_NEAR(frames.front().position, 1.0, 0.02);
}

TEST(PlayerExit, QuitReportsIdleThenExited) {
    const auto [front, rear] = SampleCard::get().pair(0);
    PlayerHarness player;
    player.start(front, rear);
    ASSERT_TRUE(player.waitForEvent(kEventFrame));
    ASSERT_EQ(player.command("quit"), 0);
    ASSERT_TRUE(player.waitForReturn());
    const std::vector<int> codes = player.codes();
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(std::vector<int>(codes.end() - 2, codes.end()), (std::vector<int>{22, 16}));
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 22), 1);
    // The video windows go with the player.
    const platform::HWND window = player.videoWindow(0);
    EXPECT_TRUE(WaitUntil([&] { return !platform::IsWindow(window); }));
}

TEST(PlayerExit, TheStopFlagEndsWithExitedAlone) {
    const auto [front, rear] = SampleCard::get().pair(0);
    PlayerHarness player;
    player.start(front, rear);
    ASSERT_TRUE(player.waitForEvent(kEventFrame));
    player.setStopFlag();
    ASSERT_TRUE(player.waitForReturn());
    const std::vector<int> codes = player.codes();
    EXPECT_EQ(codes.back(), kEventExited);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), kEventIdle), 0) << "22 would block the viewer's unload";
    EXPECT_EQ(std::count(codes.begin(), codes.end(), kEventExited), 1);
}

TEST(PlayerExit, TheStopFlagEndsAPlayerThatIsStillStarting) {
    // Without an event loop on the user-interface thread the windows cannot be made; the stop
    // flag must still end the player rather than leave it waiting.
    const auto [front, rear] = SampleCard::get().pair(0);
    PlayerHarness player;
    player.start(front, rear);
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    const auto waitWithoutEvents = [&](const std::function<bool()>& condition) {
        while (!condition()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(2ms);
        }
        return true;
    };
    ASSERT_TRUE(waitWithoutEvents([&] { return player.eventCount() >= 15; }));   // the slots are asked
    player.setStopFlag();
    ASSERT_TRUE(waitWithoutEvents([&] { return !player.codes().empty() && player.codes().back() == kEventExited; }));
    ASSERT_TRUE(player.waitForReturn());
    EXPECT_EQ(player.videoWindow(0), platform::kNoWindow);
}

} // namespace
} // namespace vexplayer::testing
