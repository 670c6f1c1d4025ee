#include "telemetry/gsensor_trace.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace telemetry {
namespace {

constexpr GSensorSample kLevel{0.0f, 1.0f, -2.0f};

TEST(GSensorTraceTest, ValuesMapToPixelRows) {
    EXPECT_EQ(GSensorTrace::yFor(0.0f), 80);
    EXPECT_EQ(GSensorTrace::yFor(1.0f), 58);
    EXPECT_EQ(GSensorTrace::yFor(-2.0f), 123);
    EXPECT_EQ(GSensorTrace::yFor(2.0f), 37);
    EXPECT_EQ(GSensorTrace::yFor(0.05f), 78);  // 78.925 truncated
}

TEST(GSensorTraceTest, StartsAtTheLeftEdgeOnTheZeroLine) {
    GSensorTrace trace;
    for (Axis axis : {Axis::X, Axis::Y, Axis::Z})
        EXPECT_EQ(trace.points(axis), (std::vector<TracePoint>{{75, 80}}));
    EXPECT_FALSE(trace.shownSample());
    // The first sample comes at tick 0: it is stored, then the traces restart from it.
    trace.advance(kLevel, false);
    EXPECT_EQ(trace.points(Axis::X), (std::vector<TracePoint>{{75, 80}}));
    EXPECT_EQ(trace.points(Axis::Y), (std::vector<TracePoint>{{75, 58}}));
    EXPECT_EQ(trace.points(Axis::Z), (std::vector<TracePoint>{{75, 123}}));
    EXPECT_EQ(trace.tick(), 1);
    trace.advance(GSensorSample{1.0f, 0.0f, 0.0f}, false);
    EXPECT_EQ(trace.points(Axis::X), (std::vector<TracePoint>{{75, 80}, {77, 58}}));
    EXPECT_EQ(trace.shownSample(), (GSensorSample{1.0f, 0.0f, 0.0f}));
}

TEST(GSensorTraceTest, SamplesOutOfRangeAddNoPointButTick) {
    GSensorTrace trace;
    trace.advance(kLevel, false);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const GSensorSample& bad : {GSensorSample{0.0f, 0.0f, 2.01f}, GSensorSample{-2.5f, 0, 0},
                                     GSensorSample{0.0f, nan, 0.0f}}) {
        const int tick = trace.tick();
        trace.advance(bad, false);
        EXPECT_EQ(trace.tick(), tick + 1);
        EXPECT_EQ(trace.points(Axis::X).size(), 1u);
        EXPECT_FALSE(trace.shownSample());
    }
    trace.advance(std::nullopt, false);
    EXPECT_EQ(trace.points(Axis::X).size(), 1u);
    EXPECT_EQ(trace.tick(), 5);
    trace.advance(kLevel, false);
    EXPECT_EQ(trace.points(Axis::Y).back(), (TracePoint{81, 58}));
}

TEST(GSensorTraceTest, NoUserDataDrawsNothingAndStillTicks) {
    GSensorTrace trace;
    trace.advance(kLevel, false);
    trace.advance(kLevel, true);
    EXPECT_TRUE(trace.noUserData());
    EXPECT_FALSE(trace.shownSample());
    EXPECT_EQ(trace.points(Axis::X).size(), 1u);
    EXPECT_EQ(trace.tick(), 2);
}

TEST(GSensorTraceTest, RestartsWhenThePlotIsFull) {
    GSensorTrace trace;
    for (int i = 0; i < 279; ++i) trace.advance(kLevel, false);
    EXPECT_EQ(trace.points(Axis::X).size(), 279u);
    EXPECT_EQ(trace.points(Axis::X).back().x, 354);
    trace.advance(GSensorSample{0.5f, 0.5f, 0.5f}, false);  // reaches x = 355
    EXPECT_EQ(trace.points(Axis::X), (std::vector<TracePoint>{{75, 69}}));
    EXPECT_EQ(trace.tick(), 1);
    std::size_t longest = 0;
    for (int i = 0; i < 2000; ++i) {
        trace.advance(i % 7 == 0 ? GSensorSample{3, 0, 0} : kLevel, i % 11 == 0);
        longest = std::max(longest, trace.points(Axis::Z).size());
        for (const TracePoint& p : trace.points(Axis::Z)) {
            ASSERT_GE(p.x, GSensorTrace::kLeft);
            ASSERT_LT(p.x, GSensorTrace::kRight);
        }
    }
    EXPECT_LE(longest, 281u);
}

TEST(GSensorTraceTest, ALongGapRestartsInsteadOfDrawingOffThePlot) {
    GSensorTrace trace;
    trace.advance(kLevel, false);
    for (int i = 0; i < 500; ++i) trace.advance(kLevel, true);
    trace.advance(GSensorSample{1.0f, 1.0f, 1.0f}, false);
    EXPECT_EQ(trace.points(Axis::X), (std::vector<TracePoint>{{75, 58}}));
}

TEST(GSensorTraceTest, ResetRestartsFromTheNextSample) {
    GSensorTrace trace;
    for (int i = 0; i < 40; ++i) trace.advance(kLevel, false);
    trace.reset();
    EXPECT_TRUE(trace.points(Axis::X).empty());
    EXPECT_EQ(trace.tick(), 0);
    trace.advance(GSensorSample{-1.0f, 0.0f, 0.0f}, false);
    EXPECT_EQ(trace.points(Axis::X), (std::vector<TracePoint>{{75, 101}}));
    EXPECT_EQ(trace.tick(), 1);
    trace.advance(kLevel, false);
    EXPECT_EQ(trace.points(Axis::X).back(), (TracePoint{77, 80}));
}

} // namespace
} // namespace telemetry
