#include "catalogue/folder_scan.h"

#include <gtest/gtest.h>

#include "card_names.h"
#include "recording_files.h"
#include "sample_card.h"

namespace catalogue {
namespace {

namespace fs = std::filesystem;
using test::Box;
using test::CompleteRecording;
using test::WriteFile;
using Names = std::vector<std::string>;
using tripdesk::test::SampleCard;

TEST(FolderScan, ListsTheTabsCompleteRecordingsInByteOrder) {
    const fs::path folder = test::FreshFolder("crafted");
    const std::string complete = CompleteRecording();
    for (const char* name : {"drf2_20120101_080000.mp4", "drf2_20110512_093015.mp4",
                             "drf2_20110512_a.mp4", "drf2_20110512_B.mp4",
                             "drf2_20110512_\xC3\xA9.mp4",  // é: its bytes sort after every letter
                             "drf1_20110512_093015.mp4", "evt2_20110512_093117.mp4",
                             "drf0_20110514_120020.mp4", "evt0_20110514_120102.mp4",
                             "mod0_20110512_221704.mp4", "drf2_20110512_093015.mp4.ecc",
                             "drf2_20110512_093015.mp4.xls", "drf2_20110512_093015.avi",
                             "DRF2_20110512_093015.mp4"})
        WriteFile(folder / name, complete);
    const std::string ftyp = Box("ftyp", 24), mdat = Box("mdat", 64), moov = Box("moov", 32);
    WriteFile(folder / "drf2_20110601_cut.mp4", ftyp + mdat);
    WriteFile(folder / "drf2_20110601_index_first.mp4", ftyp + moov + mdat);
    WriteFile(folder / "drf2_20110601_scrambled.mp4", Box("xq\x01z", 24) + mdat + moov);
    WriteFile(folder / "drf2_20110601_empty.mp4", "");
    fs::create_directory(folder / "drf2_20110601_folder.mp4");
    WriteFile(folder / "drf2_20110601_folder.mp4" / "drf2_20110601_inner.mp4", complete);

    EXPECT_EQ(ScanFolder(folder.string(), RecordingKind::Infinity, 2),
              (Names{"drf2_20110512_093015.mp4", "drf2_20110512_B.mp4", "drf2_20110512_a.mp4",
                     "drf2_20110512_\xC3\xA9.mp4", "drf2_20120101_080000.mp4"}));
    EXPECT_EQ(ScanFolder(folder.string(), RecordingKind::Event, 2), (Names{"evt2_20110512_093117.mp4"}));
    EXPECT_EQ(ScanFolder(folder.string(), RecordingKind::Infinity, 1), (Names{"drf0_20110514_120020.mp4"}));
    EXPECT_EQ(ScanFolder(folder.string(), RecordingKind::Event, 1), (Names{"evt0_20110514_120102.mp4"}));
    // A trailing separator changes nothing.
    EXPECT_EQ(ScanFolder(folder.string() + "/", RecordingKind::Event, 2), (Names{"evt2_20110512_093117.mp4"}));
}

TEST(FolderScan, FolderWhoseNameHoldsThePrefixMakesEveryRecordingMatch) {
    const fs::path folder = test::FreshFolder("drf2_card");
    WriteFile(folder / "clip.mp4", CompleteRecording());
    WriteFile(folder / "evt2_20110512_093117.mp4", CompleteRecording());
    EXPECT_EQ(ScanFolder(folder.string(), RecordingKind::Infinity, 2),
              (Names{"clip.mp4", "evt2_20110512_093117.mp4"}));
}

TEST(FolderScan, UnreadableFoldersListNothing) {
    EXPECT_TRUE(ScanFolder("/nonexistent/drf2_folder", RecordingKind::Infinity, 2).empty());
    EXPECT_TRUE(ScanFolder("", RecordingKind::Infinity, 2).empty());
    const fs::path file = test::FreshFolder("not_a_folder") / "drf2_20110512_093015.mp4";
    WriteFile(file, CompleteRecording());
    EXPECT_TRUE(ScanFolder(file.string(), RecordingKind::Infinity, 2).empty());
}

TEST(FolderScan, JoinsFolderAndNameWithOneSeparator) {
    EXPECT_EQ(JoinFolderPath("/media/card", "drf2_x.mp4"), "/media/card/drf2_x.mp4");
    EXPECT_EQ(JoinFolderPath("/media/card/", "drf2_x.mp4"), "/media/card/drf2_x.mp4");
    EXPECT_EQ(JoinFolderPath("/", "drf2_x.mp4"), "/drf2_x.mp4");
}

struct CardCase {
    samplecard::RecordingKind cardKind;
    RecordingKind tab;
    int channelMode;
    const char* prefix;
};

class SampleCardScan : public ::testing::TestWithParam<CardCase> {};

TEST_P(SampleCardScan, ListsTheFrontRecordingsThatAreWhole) {
    const SampleCard& card = SampleCard::get();
    const CardCase c = GetParam();
    const Names names = ScanFolder(card.folder().string(), c.tab, c.channelMode);
    const Names expected = test::ExpectedNames(card.plan(), c.cardKind, c.channelMode);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(names, expected);
    for (const std::string& name : names) {
        EXPECT_EQ(name.rfind(c.prefix, 0), 0u) << name;
        EXPECT_EQ(name.find(".mp4."), std::string::npos) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    BothModesBothTabs, SampleCardScan,
    ::testing::Values(CardCase{samplecard::RecordingKind::Continuous, RecordingKind::Infinity, 2, "drf2_"},
                      CardCase{samplecard::RecordingKind::Event, RecordingKind::Event, 2, "evt2_"},
                      CardCase{samplecard::RecordingKind::Continuous, RecordingKind::Infinity, 1, "drf0_"},
                      CardCase{samplecard::RecordingKind::Event, RecordingKind::Event, 1, "evt0_"}),
    [](const ::testing::TestParamInfo<CardCase>& info) { return std::string(info.param.prefix, 4); });

TEST(SampleCardScan, LeavesOutDamagedRearAndCompanionFiles) {
    const SampleCard& card = SampleCard::get();
    const Names listed = ScanFolder(card.folder().string(), RecordingKind::Infinity, 2);
    ASSERT_TRUE(std::any_of(card.plan().recordings.begin(), card.plan().recordings.end(),
                            [](const auto& r) { return r.defect != samplecard::Defect::None; }));
    for (const samplecard::PlannedRecording& r : card.plan().recordings) {
        const bool shouldList = r.kind == samplecard::RecordingKind::Continuous &&
                                r.role == samplecard::ChannelRole::Front &&
                                r.defect == samplecard::Defect::None;
        EXPECT_EQ(std::count(listed.begin(), listed.end(), r.fileName), shouldList ? 1 : 0) << r.fileName;
    }
    ASSERT_FALSE(card.plan().companions.empty());
    for (const samplecard::PlannedCompanion& companion : card.plan().companions)
        EXPECT_EQ(std::count(listed.begin(), listed.end(), companion.fileName), 0);
}

} // namespace
} // namespace catalogue
