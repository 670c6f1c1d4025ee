#include "catalogue/recording_name.h"

#include <gtest/gtest.h>

namespace catalogue {
namespace {

constexpr const char* kFront = "/media/card/DATA/drf2_20110512_093015.mp4";

TEST(RecordingNameTest, TwoChannelContinuousFront) {
    const RecordingName name = RecordingName::parse(kFront, 2);
    ASSERT_TRUE(name.valid());
    EXPECT_EQ(name.kind, RecordingKind::Infinity);
    EXPECT_EQ(name.prefixPosition, 17);
    EXPECT_FALSE(name.rear);
    EXPECT_EQ(name.date, "20110512");
    EXPECT_EQ(name.displayDate(), "2011.05.12");
    EXPECT_EQ(name.displayName(), "drf2_20110512_093015.mp4");
    EXPECT_EQ(name.baseName(), "drf2_20110512_093015");
    EXPECT_EQ(name.rearPath(), "/media/card/DATA/drf1_20110512_093015.mp4");
}

TEST(RecordingNameTest, KindsByChannelMode) {
    EXPECT_EQ(RecordingName::parse("/c/evt2_20120101_000000.mp4", 2).kind, RecordingKind::Event);
    EXPECT_EQ(RecordingName::parse("/c/mod0_20120101_000000.mp4", 2).kind, RecordingKind::Parking);
    EXPECT_EQ(RecordingName::parse("/c/mod0_20120101_000000.mp4", 1).kind, RecordingKind::Parking);
    EXPECT_EQ(RecordingName::parse("/c/drf0_20120101_000000.mp4", 1).kind, RecordingKind::Infinity);
    EXPECT_EQ(RecordingName::parse("/c/evt0_20120101_000000.mp4", 1).kind, RecordingKind::Event);
    // Two-channel names are not one-channel names, and the other way round.
    EXPECT_FALSE(RecordingName::parse(kFront, 1).valid());
    EXPECT_FALSE(RecordingName::parse("/c/drf0_20120101_000000.mp4", 2).valid());
}

TEST(RecordingNameTest, RearFilesAreRecognisedAsRear) {
    const RecordingName rear = RecordingName::parse("/c/evt1_20120101_000000.mp4", 2);
    EXPECT_TRUE(rear.rear);
    EXPECT_EQ(rear.kind, RecordingKind::Event);
    EXPECT_EQ(rear.displayDate(), "2012.01.01");
    EXPECT_FALSE(RecordingName::parse("/c/evt1_20120101_000000.mp4", 1).valid());
}

TEST(RecordingNameTest, MatchOnlyAfterTheFirstCharacter) {
    const RecordingName atStart = RecordingName::parse("drf2_20110512_093015.mp4", 2);
    EXPECT_FALSE(atStart.valid());
    EXPECT_EQ(atStart.prefixPosition, -1);
    EXPECT_FALSE(atStart.kind.has_value());
    EXPECT_EQ(atStart.displayName(), "");
    EXPECT_EQ(atStart.baseName(), "");
    EXPECT_EQ(atStart.displayDate(), "");
    EXPECT_EQ(RecordingName::parse("xdrf2_20110512_093015.mp4", 2).prefixPosition, 1);
    // A second occurrence after the start still counts.
    EXPECT_EQ(RecordingName::parse("drf2/drf2_20110512.mp4", 2).prefixPosition, 5);
    EXPECT_FALSE(RecordingName::parse("/c/DRF2_20110512.mp4", 2).valid());  // case-sensitive
}

TEST(RecordingNameTest, ShortPathsNeverReadPastTheEnd) {
    const RecordingName cut = RecordingName::parse("/c/drf2_2011", 2);
    ASSERT_TRUE(cut.valid());
    EXPECT_EQ(cut.date, "2011");
    EXPECT_EQ(cut.displayDate(), "");
    EXPECT_EQ(cut.baseName(), "drf2_");  // the last four characters are taken as the ending
    const RecordingName bare = RecordingName::parse("/drf2", 2);
    EXPECT_EQ(bare.date, "");
    EXPECT_EQ(bare.displayDate(), "");
    EXPECT_EQ(bare.displayName(), "drf2");
    EXPECT_EQ(bare.baseName(), "");
    EXPECT_EQ(RecordingName::parse("/mod0_", 2).baseName(), "m");
    EXPECT_EQ(RecordingName::parse("/mod0_201", 2).displayDate(), "");
}

TEST(RecordingNameTest, SeveralPrefixesTheLastInSearchOrderDecides) {
    // A folder named after a kind makes every file in it match that kind too.
    const RecordingName name = RecordingName::parse("/c/evt2_dir/drf2_20110512_0.mp4", 2);
    EXPECT_EQ(name.kind, RecordingKind::Event);
    EXPECT_EQ(name.prefixPosition, 3);
}

TEST(RecordingNameTest, RearPathReplacesFirstOccurrencesInOrder) {
    EXPECT_EQ(RecordingName::rearPathOf("/c/evt2_20110512.mp4"), "/c/evt1_20110512.mp4");
    EXPECT_EQ(RecordingName::rearPathOf("/c/mod0_20110512.mp4"), "/c/mod1_20110512.mp4");
    // The folder part is changed as well, and only the first occurrence of each.
    EXPECT_EQ(RecordingName::rearPathOf("/drf2/drf2_20110512.mp4"), "/drf1/drf2_20110512.mp4");
    EXPECT_EQ(RecordingName::rearPathOf("/evt2/drf2_x/mod0_a.mp4"), "/evt1/drf1_x/mod1_a.mp4");
    EXPECT_EQ(RecordingName::rearPathOf("/c/plain.mp4"), "/c/plain.mp4");
    EXPECT_EQ(RecordingName::rearPathOf(""), "");
}

} // namespace
} // namespace catalogue
