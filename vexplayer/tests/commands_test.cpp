// Every command's effect on the positions the player reports.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "platform/messages.h"
#include "player_harness.h"
#include "sample_card.h"

namespace vexplayer::testing {
namespace {

using tripdesk::test::SampleCard;

constexpr double kFrame = 1.0 / samplecard::CardOptions::framesPerSecond;

// Position advance per second of wall time, over frame events after from (a second and more),
// starting at the first one not after startAtOrBelow.
//
// A frame is never shown before its position is due, but a busy machine shows some late. So the
// frames shown on time lie on the lowest line through the points (position, time shown), and
// late ones above it: the speed is read from that lower edge (the lower convex hull) between
// the quarter and three-quarter marks of the positions, where late frames at the ends of the
// window have no weight.
double MeasuredSpeed(PlayerHarness& player, std::size_t from, float startAtOrBelow = 1e9f) {
    struct Point {
        double position;
        double seconds;
    };
    std::vector<Point> points;
    WaitUntil([&] {
        const auto events = player.events();
        points.clear();
        std::optional<std::chrono::steady_clock::time_point> start;
        for (std::size_t i = from; i < events.size(); ++i) {
            if (!events[i].frame) continue;
            if (!start && events[i].frame->position > startAtOrBelow) continue;
            if (!start) start = events[i].at;
            points.push_back({events[i].frame->position, std::chrono::duration<double>(events[i].at - *start).count()});
        }
        return !points.empty() && points.back().seconds >= 1.2;
    });
    if (points.size() < 8) return 0;
    std::sort(points.begin(), points.end(), [](const Point& a, const Point& b) {
        return a.position < b.position || (a.position == b.position && a.seconds < b.seconds);
    });
    std::vector<Point> hull;
    for (const Point& p : points) {
        while (hull.size() >= 2) {
            const Point& a = hull[hull.size() - 2];
            const Point& b = hull.back();
            const double cross = (b.position - a.position) * (p.seconds - a.seconds) -
                                 (b.seconds - a.seconds) * (p.position - a.position);
            if (cross > 0) break;
            hull.pop_back();
        }
        hull.push_back(p);
    }
    const double first = points.front().position;
    const double span = points.back().position - first;
    const auto nearest = [&hull](double position) {
        return *std::min_element(hull.begin(), hull.end(), [position](const Point& a, const Point& b) {
            return std::abs(a.position - position) < std::abs(b.position - position);
        });
    };
    const Point low = nearest(first + span / 4);
    const Point high = nearest(first + span * 3 / 4);
    if (high.seconds <= low.seconds) return 0;
    return (high.position - low.position) / (high.seconds - low.seconds);
}

class PlayerCommands : public ::testing::Test {
protected:
    void SetUp() override {
        const auto [front, rear] = SampleCard::get().pair(0);
        player.start(front, rear);
        ASSERT_TRUE(player.waitForEvent(kEventFrame));
    }
    // Frames after the current end of the event list.
    std::size_t mark() const { return player.eventCount(); }
    // Waits for a frame after from that satisfies the condition.
    std::optional<FrameEvent> frameWhere(std::size_t from, const std::function<bool(const FrameEvent&)>& condition) {
        std::optional<FrameEvent> found;
        WaitUntil([&] {
            for (const FrameEvent& frame : player.frames(from))
                if (condition(frame)) {
                    found = frame;
                    return true;
                }
            return false;
        });
        return found;
    }

    PlayerHarness player;
};

TEST_F(PlayerCommands, PauseHoldsThePositionAndResumes) {
    ASSERT_TRUE(frameWhere(0, [](const FrameEvent& f) { return f.position >= 0.3; }));
    ASSERT_EQ(player.command("pause"), 0);
    const std::size_t paused = mark();
    PumpFor(600ms);
    const auto whilePaused = player.frames(paused);
    EXPECT_LE(whilePaused.size(), 1u) << "at most the picture already due";
    const float heldAt = player.lastFrame()->position;

    ASSERT_EQ(player.command("pause"), 0);
    EXPECT_TRUE(frameWhere(mark(), [&](const FrameEvent& f) { return f.position > heldAt + 5 * kFrame; }));
}

TEST_F(PlayerCommands, StopHoldsThePositionUntilPauseContinues) {
    ASSERT_EQ(player.command("pt_step 1 1"), 0);
    const std::size_t stopped = mark();
    PumpFor(600ms);
    EXPECT_LE(player.frames(stopped).size(), 1u);
    for (int code : player.codes(stopped))
        EXPECT_TRUE(code == kEventUserDataIndex || code == kEventFrame) << "stopping reports nothing: " << code;
    const float heldAt = player.lastFrame()->position;
    ASSERT_EQ(player.command("pause"), 0);
    EXPECT_TRUE(frameWhere(mark(), [&](const FrameEvent& f) { return f.position > heldAt + 5 * kFrame; }));
}

TEST_F(PlayerCommands, FrameStepShowsTheNextPictureWhilePaused) {
    ASSERT_EQ(player.command("pause"), 0);
    PumpFor(300ms);
    const float heldAt = player.lastFrame()->position;
    const std::size_t before = mark();
    platform::SendMessage(player.videoWindow(0), WM_PLAYERWND_FRAMESTEP, 0, 0);
    const auto stepped = player.waitForFrames(1, before);
    ASSERT_EQ(stepped.size(), 1u);
    EXPECT_NEAR(stepped[0].position, heldAt + kFrame, 0.002);
    PumpFor(300ms);
    EXPECT_EQ(player.frames(before).size(), 1u) << "one step, then paused again";
}

TEST_F(PlayerCommands, AbsoluteSeekJumpsAndClampsToTheClip) {
    std::size_t from = mark();
    ASSERT_EQ(player.command("seek 2.50 2"), 0);
    auto landed = frameWhere(from, [](const FrameEvent& f) { return std::abs(f.position - 2.5) < kFrame; });
    ASSERT_TRUE(landed);
    EXPECT_EQ(landed->positions[1], landed->position);

    from = mark();
    ASSERT_EQ(player.command("seek -7.00 2"), 0);
    EXPECT_TRUE(frameWhere(from, [](const FrameEvent& f) { return f.position == 0.0f; }));

    from = mark();
    ASSERT_EQ(player.command("seek 99.00 2"), 0);
    ASSERT_TRUE(player.waitForEvent(kEventEndOfFile, from));
    EXPECT_NEAR(player.lastFrame()->position, SampleCard::get().seconds() - kFrame, 0.002);
}

TEST_F(PlayerCommands, RelativeSeekMovesFromThePosition) {
    ASSERT_TRUE(frameWhere(0, [](const FrameEvent& f) { return f.position >= 0.5; }));
    ASSERT_EQ(player.command("pause"), 0);
    PumpFor(200ms);
    const float at = player.lastFrame()->position;
    std::size_t from = mark();
    ASSERT_EQ(player.command("seek 2.00"), 0);
    auto forward = frameWhere(from, [](const FrameEvent&) { return true; });
    ASSERT_TRUE(forward);
    EXPECT_NEAR(forward->position, at + 2.0, 2 * kFrame);
    EXPECT_TRUE(frameWhere(from, [&](const FrameEvent& f) { return f.position > forward->position; }))
        << "seeking resumed the paused playback";

    from = mark();
    ASSERT_EQ(player.command("seek -1.50"), 0);
    const auto back = frameWhere(from, [&](const FrameEvent& f) { return f.position < forward->position; });
    ASSERT_TRUE(back);
    EXPECT_GT(back->position, forward->position - 1.5 - kFrame);
}

// One channel, so that even a loaded machine decodes fast enough for the fastest speed asked.
TEST(PlayerSpeed, ChangesTheRateOfPositions) {
    HostSettings settings;
    settings.channels = 1;
    PlayerHarness player(settings);
    player.start(SampleCard::get().path(SampleCard::get().single(0)), "");
    ASSERT_TRUE(player.waitForEvent(kEventFrame));
    ASSERT_EQ(player.command("speed_set 0.50 2"), 0);
    EXPECT_NEAR(MeasuredSpeed(player, player.eventCount()), 0.5, 0.08);

    std::size_t from = player.eventCount();
    ASSERT_EQ(player.command("seek 0.00 2"), 0);
    ASSERT_EQ(player.command("speed_mult 3.00"), 0);   // 1.5
    EXPECT_NEAR(MeasuredSpeed(player, from, 0.1f), 1.5, 0.2);

    from = player.eventCount();
    ASSERT_EQ(player.command("seek 0.00 2"), 0);
    ASSERT_EQ(player.command("speed_incr -0.50"), 0);   // 1
    EXPECT_NEAR(MeasuredSpeed(player, from, 0.1f), 1.0, 0.15);
}

TEST_F(PlayerCommands, VolumeAndRefusedCommandsLeavePlaybackAlone) {
    EXPECT_EQ(player.command("volume 37 2"), 0);
    EXPECT_EQ(player.command("volume 150 2"), 0);
    const std::size_t from = mark();
    for (const std::string& refused : {
             std::string("tarn_loadfile \"") + std::string(300, 'x') + "\" \"\"",
             std::string("tarn_loadfile \"a\"b.mp4\" \"\""),
             std::string("tarn_loadfile \"a.mp4\" \""),
             std::string("seek ahead"),
             std::string("eject"),
         })
        EXPECT_NE(player.command(refused), 0) << refused;
    const float at = player.lastFrame()->position;
    EXPECT_TRUE(frameWhere(from, [&](const FrameEvent& f) { return f.position > at + 5 * kFrame; }));
    const auto codes = player.codes(from);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), kEventEntryCount), 0) << "no file was opened";
}

} // namespace
} // namespace vexplayer::testing
