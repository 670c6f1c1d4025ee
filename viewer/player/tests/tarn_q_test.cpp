#include <gtest/gtest.h>

#include "player/tarn_q.h"

namespace player {
namespace {

TransitionRecord Record(int n) { return {n, n + 1, 16, n}; }

TEST(TarnQ, IsFirstInFirstOutAndPeekKeepsTheRecord) {
    TarnQ queue;
    TransitionRecord out;
    EXPECT_EQ(queue.Peek(out), 1);
    for (int n = 0; n < 4; ++n) queue.Push(Record(n));
    for (int n = 0; n < 4; ++n) {
        ASSERT_EQ(queue.Peek(out), 0);
        EXPECT_EQ(out.fromState, n);
        ASSERT_EQ(queue.Peek(out), 0);
        EXPECT_EQ(out.fromState, n);
        TransitionRecord popped;
        ASSERT_EQ(queue.Pop(&popped), 0);
        EXPECT_EQ(popped.toState, n + 1);
        EXPECT_EQ(popped.code, 16);
        EXPECT_EQ(popped.sender, n);
    }
    EXPECT_TRUE(queue.Empty());
}

TEST(TarnQ, FifthPendingPushReadsAsEmptyAndTheSixthIsTheOnlyOneReadable) {
    TarnQ queue;
    for (int n = 0; n < 5; ++n) queue.Push(Record(n));
    TransitionRecord out;
    EXPECT_TRUE(queue.Empty());
    EXPECT_EQ(queue.Peek(out), 1);
    queue.Push(Record(5));
    ASSERT_EQ(queue.Peek(out), 0);
    EXPECT_EQ(out.fromState, 5);
    EXPECT_EQ(queue.Pop(), 0);
    EXPECT_TRUE(queue.Empty());
}

TEST(TarnQ, PopOnEmptyLeavesTheRingEmpty) {
    TarnQ queue;
    EXPECT_EQ(queue.Pop(), 1);
    EXPECT_TRUE(queue.Empty());
    queue.Push(Record(7));
    TransitionRecord out;
    ASSERT_EQ(queue.Pop(&out), 0);
    EXPECT_EQ(out.fromState, 7);
    EXPECT_EQ(queue.Pop(), 1);
    EXPECT_TRUE(queue.Empty());
}

TEST(TarnQ, WrapsAroundItsFiveRecords) {
    TarnQ queue;
    for (int round = 0; round < 12; ++round) {
        queue.Push(Record(round));
        queue.Push(Record(round + 100));
        TransitionRecord out;
        ASSERT_EQ(queue.Pop(&out), 0);
        EXPECT_EQ(out.fromState, round);
        ASSERT_EQ(queue.Pop(&out), 0);
        EXPECT_EQ(out.fromState, round + 100);
        EXPECT_TRUE(queue.Empty());
    }
}

} // namespace
} // namespace player
