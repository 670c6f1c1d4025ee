#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <vector>

#include "playback.h"
#include "sample_card.h"

namespace vexplayer {
namespace {

using namespace std::chrono_literals;
using tripdesk::test::SampleCard;

// Turns the player loop by hand, collecting what it presents, until done() or a time-out.
struct Driver {
    std::shared_ptr<Wakeup> wakeup = std::make_shared<Wakeup>();
    Playback playback;
    std::vector<PresentedFrame> frames;
    std::vector<PlaybackTurn::Outcome> outcomes;

    explicit Driver(PlaybackSettings settings) : playback(settings, wakeup) {}

    bool runUntil(const std::function<bool()>& done, std::chrono::seconds timeout = 30s) {
        const auto deadline = Playback::Clock::now() + timeout;
        while (!done()) {
            if (Playback::Clock::now() > deadline) return false;
            PlaybackTurn turn = playback.advance(Playback::Clock::now());
            if (turn.frame) frames.push_back(std::move(*turn.frame));
            if (turn.outcome != PlaybackTurn::Outcome::None) outcomes.push_back(turn.outcome);
            wakeup->waitUntil(std::min(turn.wakeAt, Playback::Clock::now() + 20ms));
        }
        return true;
    }
    bool runForFrames(std::size_t count) {
        return runUntil([&] { return frames.size() >= count || !outcomes.empty(); });
    }
};

constexpr PlaybackSettings kRealTime{true, true, false};
constexpr PlaybackSettings kFlatOut{false, false, false};

TEST(Playback, StartsBothChannelsTogetherAtTheFirstPicture) {
    const auto [front, rear] = SampleCard::get().pair(0);
    Driver driver(kRealTime);
    ASSERT_TRUE(driver.playback.open(front, rear, std::nullopt, Playback::Clock::now()));
    EXPECT_NEAR(driver.playback.clipSeconds(), SampleCard::get().seconds(), 0.05);
    EXPECT_EQ(driver.playback.userData().entryCount(), SampleCard::get().entries());
    ASSERT_TRUE(driver.runForFrames(3));
    const PresentedFrame& first = driver.frames.front();
    EXPECT_EQ(first.channel1.position, 0.0);
    ASSERT_TRUE(first.channel2);
    EXPECT_EQ(first.channel2->position, 0.0);
    EXPECT_EQ(first.channel1.image.size(), QSize(640, 480));
    EXPECT_EQ(first.channel1.image.format(), QImage::Format_RGB32);
    EXPECT_EQ(first.channel1.image.pixel(320, 240) >> 24, 0xFFu) << "the unused byte is opaque";
}

TEST(Playback, MergesQueuedSeeksIntoOne) {
    const auto [front, rear] = SampleCard::get().pair(0);
    Driver driver(kRealTime);
    ASSERT_TRUE(driver.playback.open(front, rear, std::nullopt, Playback::Clock::now()));
    ASSERT_TRUE(driver.runForFrames(1));
    const auto now = Playback::Clock::now();
    driver.playback.seekAbsolute(3.0);
    driver.playback.seekRelative(-1.0, now);   // relative to the queued target, not the clock
    driver.frames.clear();
    ASSERT_TRUE(driver.runForFrames(1));
    EXPECT_NEAR(driver.frames.front().channel1.position, 2.0, 0.02);
    ASSERT_TRUE(driver.frames.front().channel2);
    EXPECT_NEAR(driver.frames.front().channel2->position, 2.0, 0.02);
}

TEST(Playback, DecodesFlatOutToTheEndInStep) {
    const auto [front, rear] = SampleCard::get().pair(1);
    Driver driver(kFlatOut);
    ASSERT_TRUE(driver.playback.open(front, rear, std::nullopt, Playback::Clock::now()));
    ASSERT_TRUE(driver.runUntil([&] { return !driver.outcomes.empty(); }));
    EXPECT_EQ(driver.outcomes, std::vector{PlaybackTurn::Outcome::Ended});
    const int pictures = SampleCard::get().plan().options.frames();
    ASSERT_EQ(driver.frames.size(), static_cast<std::size_t>(pictures));
    const PresentedFrame& last = driver.frames.back();
    EXPECT_TRUE(last.channel1.last);
    EXPECT_TRUE(last.channel1.image.isNull()) << "no pictures are made flat out";
    EXPECT_EQ(last.pictureNumbers[0], static_cast<std::uint32_t>(pictures));
    EXPECT_EQ(last.pictureNumbers[1], static_cast<std::uint32_t>(pictures));
    for (std::size_t i = 1; i < driver.frames.size(); ++i)
        EXPECT_GT(driver.frames[i].channel1.position, driver.frames[i - 1].channel1.position);
}

TEST(Playback, SeekingPastTheEndShowsTheLastPictureThenEnds) {
    const auto [front, rear] = SampleCard::get().pair(0);
    Driver driver(kRealTime);
    ASSERT_TRUE(driver.playback.open(front, rear, std::nullopt, Playback::Clock::now()));
    ASSERT_TRUE(driver.runForFrames(1));
    driver.playback.seekAbsolute(1000);
    driver.frames.clear();
    ASSERT_TRUE(driver.runUntil([&] { return !driver.outcomes.empty(); }));
    EXPECT_EQ(driver.outcomes, std::vector{PlaybackTurn::Outcome::Ended});
    ASSERT_FALSE(driver.frames.empty());
    EXPECT_NEAR(driver.frames.back().channel1.position, SampleCard::get().seconds() - 1.0 / 30, 0.02);
    EXPECT_EQ(driver.playback.phase(), PlaybackPhase::Ended);
}

TEST(Playback, StepsOnePictureWhilePaused) {
    const auto [front, rear] = SampleCard::get().pair(0);
    Driver driver(kRealTime);
    ASSERT_TRUE(driver.playback.open(front, rear, std::nullopt, Playback::Clock::now()));
    ASSERT_TRUE(driver.runForFrames(2));
    driver.playback.togglePause(Playback::Clock::now());
    driver.runUntil([] { return false; }, 0s);
    const std::size_t before = driver.frames.size();
    const double at = driver.frames.back().channel1.position;
    driver.playback.stepFrame();
    ASSERT_TRUE(driver.runForFrames(before + 1));
    EXPECT_NEAR(driver.frames.back().channel1.position, at + 1.0 / 30, 0.002);
    EXPECT_FALSE(driver.playback.clock().running());
}

// The player thread sleeps long only while nothing is due.
TEST(Playback, RestsOnlyWhilePausedStoppedOrEnded) {
    const auto [front, rear] = SampleCard::get().pair(0);
    Driver driver(kRealTime);
    EXPECT_TRUE(driver.playback.resting()) << "nothing open";
    ASSERT_TRUE(driver.playback.open(front, rear, std::nullopt, Playback::Clock::now()));
    EXPECT_FALSE(driver.playback.resting()) << "prerolling";
    ASSERT_TRUE(driver.runForFrames(2));
    EXPECT_FALSE(driver.playback.resting()) << "playing";
    driver.playback.togglePause(Playback::Clock::now());
    EXPECT_TRUE(driver.playback.resting());
    driver.playback.stepFrame();
    EXPECT_FALSE(driver.playback.resting()) << "a frame step is due";
    ASSERT_TRUE(driver.runForFrames(3));
    EXPECT_TRUE(driver.playback.resting());
    driver.playback.seekAbsolute(1.0);
    EXPECT_FALSE(driver.playback.resting()) << "a seek is due";
    driver.playback.seekAbsolute(99.0);
    ASSERT_TRUE(driver.runUntil([&] { return driver.playback.phase() == PlaybackPhase::Ended; }, 10s));
    EXPECT_TRUE(driver.playback.resting());
}

TEST(Playback, AnUnplayableChannelOneStillCountsItsUserData) {
    const SampleCard& card = SampleCard::get();
    Driver driver(kRealTime);
    EXPECT_FALSE(driver.playback.open(card.path(card.withDefect(samplecard::Defect::CutBeforeIndex)), "", std::nullopt,
                                      Playback::Clock::now()));
    EXPECT_EQ(driver.playback.phase(), PlaybackPhase::Failed);
    EXPECT_EQ(driver.playback.userData().entryCount(), 0u) << "the cut recording has no user data";
    EXPECT_FALSE(driver.playback.open(card.path("missing.mp4"), "", std::nullopt, Playback::Clock::now()));
    EXPECT_EQ(driver.playback.userData().entryCount(), 0u);
}

} // namespace
} // namespace vexplayer
