#include "telemetry/position_text.h"

#include <gtest/gtest.h>

namespace telemetry {
namespace {

TEST(PositionTextTest, PadsDegreesToThreeDigits) {
    EXPECT_EQ(PadPositionText("37.552057"), "037.552057");
    EXPECT_EQ(PadPositionText("5.000000"), "005.000000");
    EXPECT_EQ(PadPositionText("0.000000"), "000.000000");
    EXPECT_EQ(PadPositionText("126.992797"), "126.992797");
    EXPECT_EQ(PadPositionText("-5.123456"), "-005.123456");
    EXPECT_EQ(PadPositionText("-33.868820"), "-033.868820");
    EXPECT_EQ(PadPositionText("-126.500000"), "-126.500000");
}

TEST(PositionTextTest, OtherTextsAreRightAlignedInTen) {
    EXPECT_EQ(PadPositionText(""), "          ");
    EXPECT_EQ(PadPositionText("abc"), "       abc");
    EXPECT_EQ(PadPositionText("-"), "         -");
    EXPECT_EQ(PadPositionText("0123456789ab"), "0123456789ab");
}

} // namespace
} // namespace telemetry
