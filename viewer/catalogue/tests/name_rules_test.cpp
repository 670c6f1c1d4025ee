#include "catalogue/name_rules.h"

#include <gtest/gtest.h>

namespace catalogue {
namespace {

TEST(NameRulesTest, ContainsAfterStart) {
    EXPECT_FALSE(containsAfterStart("drf2_x.mp4", "drf2"));
    EXPECT_TRUE(containsAfterStart("/drf2_x.mp4", "drf2"));
    EXPECT_TRUE(containsAfterStart("drf2/drf2", "drf2"));
    EXPECT_FALSE(containsAfterStart("/Drf2", "drf2"));
    EXPECT_FALSE(containsAfterStart("", "drf2"));
    EXPECT_EQ(findAfterStart("/a/drf2", "drf2"), 3);
    EXPECT_EQ(findAfterStart("/a", "drf2"), -1);
}

TEST(NameRulesTest, DroppedPathsNeedATwoChannelOrParkingPrefix) {
    EXPECT_TRUE(acceptsDroppedPath("/c/drf2_20110512.mp4"));
    EXPECT_TRUE(acceptsDroppedPath("/c/evt2_20110512.mp4"));
    EXPECT_TRUE(acceptsDroppedPath("/c/mod0_20110512.mp4"));
    EXPECT_TRUE(acceptsDroppedPath("/c/drf2_no_extension"));  // nothing else is tested
    EXPECT_FALSE(acceptsDroppedPath("/c/drf0_20110512.mp4"));
    EXPECT_FALSE(acceptsDroppedPath("/c/drf1_20110512.mp4"));
    EXPECT_FALSE(acceptsDroppedPath("drf2_20110512.mp4"));
    const std::string longPath = "/" + std::string(5000, 'a') + "/drf2_20110512.mp4";
    EXPECT_TRUE(acceptsDroppedPath(longPath));
}

TEST(NameRulesTest, TitleUsesTheLastFoundInSearchOrder) {
    EXPECT_EQ(titlePrefixPosition("/c/drf2_1.mp4"), 3);
    EXPECT_EQ(titlePrefixPosition("/c/drf0_1.mp4"), -1);
    EXPECT_EQ(titlePrefixPosition("/c/evt0_1.mp4"), -1);
    // "mod0_" is searched last, so it decides even when it comes first in the path.
    EXPECT_EQ(titlePrefixPosition("/mod0_d/evt2_1.mp4"), 1);
    EXPECT_EQ(titlePrefixPosition("/evt2_d/drf2_1.mp4"), 1);
    EXPECT_EQ(titlePrefixPosition("/drf2_d/evt2_1.mp4"), 8);
}

TEST(NameRulesTest, ExportNamesStartAtTheFirstInfinityElseEventPrefix) {
    EXPECT_EQ(exportPrefixPosition("/c/drf2_1.mp4"), 3);
    EXPECT_EQ(exportPrefixPosition("/c/evt2_1.mp4"), 3);
    // "drf2" wins wherever it stands; among equals the first match counts.
    EXPECT_EQ(exportPrefixPosition("/evt2_d/drf2_1.mp4"), 8);
    EXPECT_EQ(exportPrefixPosition("/drf2_d/drf2_1.mp4"), 1);
    EXPECT_EQ(exportPrefixPosition("/c/mod0_1.mp4"), -1);
    EXPECT_EQ(exportPrefixPosition("/c/drf0_1.mp4"), -1);
    EXPECT_EQ(exportPrefixPosition("drf2_1.mp4"), -1);  // a match at the start does not count
    EXPECT_EQ(exportPrefixPosition(""), -1);
}

TEST(NameRulesTest, ScanNames) {
    EXPECT_TRUE(matchesScanName("/c/drf2_20110512.mp4", RecordingKind::Infinity, 2));
    EXPECT_FALSE(matchesScanName("/c/drf2_20110512.mp4", RecordingKind::Infinity, 1));
    EXPECT_FALSE(matchesScanName("/c/drf2_20110512.mp4", RecordingKind::Event, 2));
    EXPECT_FALSE(matchesScanName("/c/drf1_20110512.mp4", RecordingKind::Infinity, 2));
    EXPECT_FALSE(matchesScanName("/c/drf2_20110512.avi", RecordingKind::Infinity, 2));
    EXPECT_FALSE(matchesScanName("/c/drf2_20110512.mp4.ecc", RecordingKind::Infinity, 2));
    EXPECT_FALSE(matchesScanName("/c/drf2_20110512.mp4.xls", RecordingKind::Infinity, 2));
    EXPECT_TRUE(matchesScanName("/c/evt0_20110512.mp4", RecordingKind::Event, 1));
    EXPECT_EQ(scanPrefix(RecordingKind::Infinity, 1), "drf0");
}

TEST(NameRulesTest, CompanionFiles) {
    EXPECT_TRUE(isCompanion("/c/drf2_1.mp4.ecc"));
    EXPECT_TRUE(isCompanion("/c/drf2_1.mp4.xls"));
    EXPECT_FALSE(isCompanion("/c/drf2_1.mp4"));
    EXPECT_FALSE(isCompanion("/c/drf2_1.mp4.ECC"));
}

} // namespace
} // namespace catalogue
