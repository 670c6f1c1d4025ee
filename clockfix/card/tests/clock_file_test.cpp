// Setting the clock on a plain folder standing for the card: the boxes' checks, the 19 bytes
// written, the folder made, and the failures even root meets (a file in the folder's place, a
// full device behind the clock file).
#include "card/clock_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "card_folder.h"

namespace card {
namespace {

namespace fs = std::filesystem;
using test::CardFolder;
using test::FileBytes;

fs::path ClockFilePath(const std::string& card) { return fs::path(card) / "Setup" / "clockfix.dat"; }

struct RejectedBoxes {
    const char* why;
    ClockBoxes boxes;
};

TEST(ClockFileTest, OutOfRangeBoxesGiveTheInvalidMessageAndWriteNothing) {
    const RejectedBoxes rejected[] = {
        {"year 1999", {"1999", "5", "12", "9", "7", "3"}},
        {"year 2051", {"2051", "5", "12", "9", "7", "3"}},
        {"month 0", {"2011", "0", "12", "9", "7", "3"}},
        {"month 13", {"2011", "13", "12", "9", "7", "3"}},
        {"day 0", {"2011", "5", "0", "9", "7", "3"}},
        {"day 32", {"2011", "5", "32", "9", "7", "3"}},
        {"hour 24", {"2011", "5", "12", "24", "7", "3"}},
        {"minute 60", {"2011", "5", "12", "9", "60", "3"}},
        {"second 60", {"2011", "5", "12", "9", "7", "60"}},
        {"month without digits", {"2011", "월", "12", "9", "7", "3"}},
        {"negative second", {"2011", "5", "12", "9", "7", "-1"}},
        {"year beyond int", {"99999999999", "5", "12", "9", "7", "3"}},
    };
    const std::string card = CardFolder("rejected");
    for (const RejectedBoxes& row : rejected) {
        const SetClockResult result = SetClock(card, row.boxes);
        EXPECT_EQ(result.message, 136) << row.why;
        EXPECT_EQ(result.fileErrorCause, 0) << row.why;
        EXPECT_FALSE(fs::exists(fs::path(card) / "Setup")) << row.why;
    }
}

TEST(ClockFileTest, WritesNineteenBytesOfTheBoxesTime) {
    struct Accepted {
        ClockBoxes boxes;
        const char* bytes;
    };
    const Accepted accepted[] = {
        {{"2050", "12", "31", "23", "59", "59"}, "2050-12-31-23-59-59"},
        {{"2000", "1", "1", "0", "0", "0"}, "2000-01-01-00-00-00"},
        {{"2011년", "5월", "12일", "9시", "7분", "3초"}, "2011-05-12-09-07-03"},
        {{" 2012", "+2", "31", "시", "", "07x"}, "2012-02-31-00-00-07"},   // 31 February passes
    };
    for (const Accepted& row : accepted) {
        const std::string card = CardFolder("accepted");
        const SetClockResult result = SetClock(card, row.boxes);
        EXPECT_EQ(result.message, 131) << row.bytes;
        EXPECT_EQ(result.fileErrorCause, 0) << row.bytes;
        EXPECT_EQ(FileBytes(ClockFilePath(card)), row.bytes);   // made "Setup"; no NUL, no line end
    }
}

TEST(ClockFileTest, ReplacesALongerOldFile) {
    const std::string card = CardFolder("old-file");
    test::WriteBytes(ClockFilePath(card), "1999-01-01-00-00-00 and a long tail of old text\n");
    EXPECT_EQ(SetClock(card, {"2011", "5", "12", "14", "30", "0"}).message, 131);
    EXPECT_EQ(FileBytes(ClockFilePath(card)), "2011-05-12-14-30-00");
}

TEST(ClockFileTest, FailuresReportTheirCauseOnStandardOutputWithoutAMessage) {
    const ClockBoxes boxes = {"2011", "5", "12", "14", "30", "0"};

    const std::string setupIsAFile = CardFolder("setup-file");
    test::WriteBytes(fs::path(setupIsAFile) / "Setup", "not a folder");
    testing::internal::CaptureStdout();
    SetClockResult result = SetClock(setupIsAFile, boxes);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error : 3 \n");
    EXPECT_EQ(result.message, 0);
    EXPECT_EQ(result.fileErrorCause, 3);
    EXPECT_EQ(FileBytes(fs::path(setupIsAFile) / "Setup"), "not a folder");

    const std::string fullCard = CardFolder("full");
    fs::create_directories(fs::path(fullCard) / "Setup");
    fs::create_symlink("/dev/full", ClockFilePath(fullCard));
    testing::internal::CaptureStdout();
    result = SetClock(fullCard, boxes);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error : 13 \n");
    EXPECT_EQ(result.message, 0);
    EXPECT_EQ(result.fileErrorCause, 13);
    EXPECT_FALSE(fs::exists(fs::symlink_status(ClockFilePath(fullCard))));

    const std::string removedCard = (fs::path(CardFolder("removed")) / "card").string();
    testing::internal::CaptureStdout();
    result = SetClock(removedCard, boxes);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error : 3 \n");
    EXPECT_EQ(result.message, 0);
    EXPECT_FALSE(fs::exists(removedCard));
}

} // namespace
} // namespace card
