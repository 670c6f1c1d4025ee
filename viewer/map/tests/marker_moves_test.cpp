// When the update timer pushes, rests and wakes.

#include <gtest/gtest.h>

#include "map/marker_moves.h"

namespace map {
namespace {

TEST(MarkerMoves, PushesChangesRestsOnRepeatsAndWakesOnANewPosition) {
    MarkerMoves moves;
    EXPECT_TRUE(moves.TakeTick("37.552057", "126.992797")) << "the first tick after a page pushes";
    EXPECT_FALSE(moves.TakeTick("37.552057", "126.992797"));
    EXPECT_TRUE(moves.resting());
    EXPECT_FALSE(moves.WakeOn("37.552057", "126.992797")) << "the same texts again";
    EXPECT_TRUE(moves.WakeOn("37.552100", "126.992797"));
    EXPECT_FALSE(moves.resting());
    EXPECT_FALSE(moves.WakeOn("37.552200", "126.992797")) << "awake already: the timer runs";
    EXPECT_TRUE(moves.TakeTick("37.552200", "126.992797"));
    // Only the latitude or only the longitude changing is a change.
    EXPECT_TRUE(moves.TakeTick("37.552200", "126.992900"));
}

TEST(MarkerMoves, ANewPagePushesAgainAndForgettingEndsTheRest) {
    MarkerMoves moves;
    ASSERT_TRUE(moves.TakeTick("35.1", "129.04"));
    moves.NewPage();
    EXPECT_TRUE(moves.TakeTick("35.1", "129.04")) << "the new page shows its own position";
    ASSERT_FALSE(moves.TakeTick("35.1", "129.04"));
    moves.Forget();   // the host stopped its timer for its own reasons
    EXPECT_FALSE(moves.WakeOn("-33.8", "151.2"));
}

} // namespace
} // namespace map
