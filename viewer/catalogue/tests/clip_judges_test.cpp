// Clip copies judged by outside programs: ffprobe must open them as mp42 files, ffmpeg must
// decode the same frames from them as from their sources; and the clipcopy tool must make the
// same files from a terminal.

#include <gtest/gtest.h>

#include "catalogue/clip_export.h"
#include "clip_files.h"
#include "sample_card.h"

namespace catalogue::test {
namespace {

namespace fs = std::filesystem;
using tripdesk::test::SampleCard;

constexpr const char* kMp42Brands = "TAG:major_brand=mp42\nTAG:compatible_brands=mp42isom\n";

TEST(ClipExportJudges, FfprobeOpensEveryCopyAsMp42WithTheSourcesFrames) {
    const SampleCard& card = SampleCard::get();
    const fs::path folder = FreshFolder("judged");
    for (int n : {0, 1}) {
        const auto [front, rear] = card.pair(n);
        const std::vector<ClipCopy> copies = ClipExport(front, AsSaveFolder(folder), 2).Run(true, true);
        ASSERT_EQ(copies.size(), 2u);
        for (const ClipCopy& copy : copies) {
            ASSERT_TRUE(copy.result.ok()) << Describe(copy);
            const Brands brands = ProbeBrands(copy.destination);
            EXPECT_EQ(brands.exitCode, 0) << copy.destination;
            EXPECT_EQ(brands.text, kMp42Brands) << copy.destination;
            const std::string frames = FrameChecksums(copy.destination);
            EXPECT_EQ(frames, FrameChecksums(copy.source)) << copy.destination;
            EXPECT_NE(frames.find(copy.source == front ? "audio" : "video"), std::string::npos);
        }
    }
}

TEST(ClipExportJudges, AnFfmpegMadeRecordingGetsTheBoxThenAFreeBoxAndKeepsItsFrames) {
    const fs::path folder = FreshFolder("ffmpeg-made");
    const fs::path remuxed = folder / "drf2_20110512_093015.mp4";
    const auto made = samplecard::testing::runProgram(
        "ffmpeg", {"-v", "error", "-i", QString::fromStdString(SampleCard::get().pair(0).first), "-map", "0", "-c",
                   "copy", QString::fromStdString(remuxed.string())});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    const Bytes source = ReadBytes(remuxed);
    ASSERT_EQ(Bytes(source.begin(), source.begin() + 8), (Bytes{0, 0, 0, 32, 'f', 't', 'y', 'p'}));

    const std::vector<ClipCopy> copies = ClipExport(remuxed.string(), AsSaveFolder(folder), 2).Run(true, false);
    ASSERT_TRUE(copies.size() == 1 && copies[0].result.ok());
    const Bytes copy = ReadBytes(copies[0].destination);
    EXPECT_TRUE(std::equal(kStandardFileTypeBox.begin(), kStandardFileTypeBox.end(), copy.begin()));
    EXPECT_EQ(Bytes(copy.begin() + 24, copy.begin() + 32), (Bytes{0, 0, 0, 8, 'f', 'r', 'e', 'e'}));
    EXPECT_TRUE(std::equal(copy.begin() + 32, copy.end(), source.begin() + 32));
    EXPECT_EQ(ProbeBrands(copies[0].destination).text, kMp42Brands);
    EXPECT_EQ(FrameChecksums(copies[0].destination), FrameChecksums(remuxed));
}

TEST(ClipExportJudges, TheScrambledRecordingGivesACopyFfprobeAccepts) {
    const SampleCard& card = SampleCard::get();
    const std::string scrambled = card.path(card.withDefect(samplecard::Defect::Scrambled));
    ASSERT_NE(ProbeBrands(scrambled).exitCode, 0) << "ffprobe refuses the source";
    const fs::path folder = FreshFolder("scrambled");
    const std::vector<ClipCopy> copies = ClipExport(scrambled, AsSaveFolder(folder), 2).Run(true, false);
    ASSERT_TRUE(copies.size() == 1 && copies[0].result.ok());
    const Brands brands = ProbeBrands(copies[0].destination);
    EXPECT_EQ(brands.exitCode, 0);
    EXPECT_EQ(brands.text, kMp42Brands);
    EXPECT_NE(FrameChecksums(copies[0].destination).find("video"), std::string::npos);
}

TEST(ClipExportJudges, ExportingACopyOntoItselfKeepsItsFrames) {
    const auto [front, rear] = SampleCard::get().pair(0);
    const fs::path folder = FreshFolder("onto-itself");
    const std::vector<ClipCopy> first = ClipExport(front, AsSaveFolder(folder), 2).Run(true, true);
    ASSERT_TRUE(AllWritten(first));
    const Bytes frontCopy = ReadBytes(first[0].destination);
    const Bytes rearCopy = ReadBytes(first[1].destination);

    // The copy played again, with its own folder as the save folder.
    const std::vector<ClipCopy> again = ClipExport(first[0].destination, AsSaveFolder(folder), 2).Run(true, true);
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[0].destination, again[0].source);
    EXPECT_EQ(again[1].destination, again[1].source);
    EXPECT_TRUE(AllWritten(again));
    EXPECT_EQ(ReadBytes(first[0].destination), frontCopy);
    EXPECT_EQ(ReadBytes(first[1].destination), rearCopy);
    EXPECT_EQ(FrameChecksums(first[0].destination), FrameChecksums(front));
    EXPECT_EQ(Listing(folder).size(), 2u);
}

// --- the clipcopy tool ---------------------------------------------------------------------

samplecard::testing::ProgramResult ClipCopyTool(const QStringList& arguments) {
    return samplecard::testing::runProgram(TRIPDESK_BIN_DIR "/clipcopy", arguments);
}

TEST(ClipCopyTool, MakesTheViewersFilesAndSaysSo) {
    const auto [front, rear] = SampleCard::get().pair(0);
    const fs::path byTool = FreshFolder("tool");
    const fs::path byExport = FreshFolder("tool-reference");
    const auto run = ClipCopyTool({"--front", "--rear", QString::fromStdString(AsSaveFolder(byTool)),
                                   QString::fromStdString(front)});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const std::vector<ClipCopy> reference = ClipExport(front, AsSaveFolder(byExport), 2).Run(true, true);
    ASSERT_EQ(reference.size(), 2u);
    for (const ClipCopy& copy : reference) {
        const fs::path name = fs::path(copy.destination).filename();
        EXPECT_EQ(ReadBytes(byTool / name), ReadBytes(copy.destination)) << name;
        EXPECT_NE(run.out.toStdString().find((byTool / name).string() + ": written"), std::string::npos);
    }
    EXPECT_NE(run.out.toStdString().find("저장이 완료되었습니다."), std::string::npos);
}

TEST(ClipCopyTool, OneChannelAndTheCurrentDirectory) {
    const SampleCard& card = SampleCard::get();
    const std::string single = card.path(card.single(0));
    const fs::path folder = FreshFolder("tool-here");
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(folder.string()));
    process.start(TRIPDESK_BIN_DIR "/clipcopy", {"--front", "--rear", "--channels", "1", "", QString::fromStdString(single)});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(Listing(folder), std::set<std::string>{"copy_" + card.single(0).fileName});
}

TEST(ClipCopyTool, FailuresAndMistakesEndWithoutSuccess) {
    const std::string front = SampleCard::get().pair(0).first;
    const fs::path missing = FreshFolder("tool-missing") / "absent";
    const auto failed = ClipCopyTool({"--front", QString::fromStdString(AsSaveFolder(missing)), QString::fromStdString(front)});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_NE(failed.out.toStdString().find("저장에 실패했습니다."), std::string::npos);
    // A folder not ending in "/" would glue the folder to the copy's name.
    const auto mistaken = ClipCopyTool({"--front", QString::fromStdString(missing.parent_path().string()), QString::fromStdString(front)});
    EXPECT_EQ(mistaken.exitCode, 2);
    EXPECT_TRUE(fs::is_empty(missing.parent_path()));
    EXPECT_EQ(ClipCopyTool({"--channels", "3", "", QString::fromStdString(front)}).exitCode, 2);
}

} // namespace
} // namespace catalogue::test
