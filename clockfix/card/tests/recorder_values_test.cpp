// The recorder values read from the card's one-byte settings files, in their chain.
#include "card/recorder_values.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "card_folder.h"

namespace card {
namespace {

namespace fs = std::filesystem;
using test::CardFolder;

void Put(const std::string& card, const std::string& name, const std::string& bytes) {
    test::WriteBytes(fs::path(card) / "setting" / name, bytes);
}

void ExpectValues(const RecorderValues& values, int quality, int sensitivity, int sound, int frame) {
    EXPECT_EQ(values.quality, quality);
    EXPECT_EQ(values.sensitivity, sensitivity);
    EXPECT_EQ(values.sound, sound);
    EXPECT_EQ(values.frame, frame);
}

TEST(RecorderValuesTest, EachFileGivesItsValue) {
    const std::string card = CardFolder("all-four");
    Put(card, "setframe.dat", "\x02");
    Put(card, "setsound.dat", "\x01");
    Put(card, "setquality.dat", "\x01");
    Put(card, "setsensitivity.dat", "\x03");
    ExpectValues(ReadRecorderValues(card), 1, 3, 1, 2);
}

TEST(RecorderValuesTest, TheChainStopsAtTheFirstFileThatCannotBeOpened) {
    const std::string noFolder = CardFolder("no-setting");
    ExpectValues(ReadRecorderValues(noFolder), 3, 2, 2, 3);

    const std::string noFrame = CardFolder("no-frame");
    Put(noFrame, "setsound.dat", "\x01");
    Put(noFrame, "setquality.dat", "\x01");
    Put(noFrame, "setsensitivity.dat", "\x01");
    ExpectValues(ReadRecorderValues(noFrame), 3, 2, 2, 3);

    const std::string noSound = CardFolder("no-sound");
    Put(noSound, "setframe.dat", "\x01");
    Put(noSound, "setquality.dat", "\x01");
    Put(noSound, "setsensitivity.dat", "\x01");
    ExpectValues(ReadRecorderValues(noSound), 3, 2, 2, 1);

    // Neither a folder nor a FIFO in a file's place is read (nor does the FIFO block).
    const std::string folderFrame = CardFolder("folder-frame");
    fs::create_directories(fs::path(folderFrame) / "setting" / "setframe.dat");
    Put(folderFrame, "setsound.dat", "\x01");
    ExpectValues(ReadRecorderValues(folderFrame), 3, 2, 2, 3);

    const std::string fifoSound = CardFolder("fifo-sound");
    Put(fifoSound, "setframe.dat", "\x01");
    ASSERT_EQ(::mkfifo((fs::path(fifoSound) / "setting" / "setsound.dat").c_str(), 0600), 0);
    Put(fifoSound, "setquality.dat", "\x01");
    ExpectValues(ReadRecorderValues(fifoSound), 3, 2, 2, 1);
}

TEST(RecorderValuesTest, OnlyTheFirstByteCountsAndAnEmptyFileKeepsTheDefault) {
    const std::string card = CardFolder("bytes");
    Put(card, "setframe.dat", "");
    Put(card, "setsound.dat", "\x01\x03");
    Put(card, "setquality.dat", "\x07");
    Put(card, "setsensitivity.dat", std::string(1, '\0'));
    ExpectValues(ReadRecorderValues(card), 7, 0, 1, 3);
}

TEST(RecorderValuesTest, LevelsCheckTheirButtonAndOthersNone) {
    EXPECT_EQ(CheckedButton(3), 0);
    EXPECT_EQ(CheckedButton(2), 1);
    EXPECT_EQ(CheckedButton(1), 2);
    EXPECT_EQ(CheckedButton(0), std::nullopt);
    EXPECT_EQ(CheckedButton(4), std::nullopt);
    EXPECT_EQ(CheckedButton(7), std::nullopt);
    EXPECT_EQ(CheckedButton(0xFF), std::nullopt);
}

} // namespace
} // namespace card
