// Clip export on the sample card's recordings: the copies' names, their bytes, what happens on
// failures. The card is only read; every copy goes to a folder of this test program.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "catalogue/clip_export.h"
#include "clip_files.h"
#include "sample_card.h"

namespace catalogue::test {
namespace {

namespace fs = std::filesystem;
using tripdesk::test::SampleCard;
using samplecard::PlannedRecording;
using samplecard::RecordingKind;

const PlannedRecording& FrontOfKind(RecordingKind kind) {
    for (const PlannedRecording& r : SampleCard::get().plan().recordings)
        if (r.kind == kind && r.role == samplecard::ChannelRole::Front && r.defect == samplecard::Defect::None &&
            !r.pairMissing)
            return r;
    throw std::out_of_range("no such pair on the card");
}

const PlannedRecording& SingleOfKind(RecordingKind kind) {
    for (const PlannedRecording& r : SampleCard::get().plan().recordings)
        if (r.kind == kind && r.role == samplecard::ChannelRole::Single && r.defect == samplecard::Defect::None) return r;
    throw std::out_of_range("no such one-channel recording on the card");
}

std::vector<std::string> Destinations(const std::vector<ClipCopy>& copies) {
    std::vector<std::string> names;
    for (const ClipCopy& copy : copies) {
        EXPECT_TRUE(copy.result.ok()) << Describe(copy);
        names.push_back(copy.destination);
    }
    return names;
}

// --- names ---------------------------------------------------------------------------------

TEST(ClipExportNames, TwoChannelCopiesAreNamedFromTheFrontAndRearFiles) {
    const SampleCard& card = SampleCard::get();
    for (RecordingKind kind : {RecordingKind::Continuous, RecordingKind::Event, RecordingKind::Parking}) {
        const PlannedRecording& front = FrontOfKind(kind);
        const fs::path folder = FreshFolder("names-two");
        const ClipExport exporter(card.path(front), AsSaveFolder(folder), 2);
        const std::vector<std::string> expected = {AsSaveFolder(folder) + "copy_" + front.fileName,
                                                   AsSaveFolder(folder) + "copy_" + front.pairedFileName};
        EXPECT_EQ(Destinations(exporter.Run(true, true)), expected) << front.fileName;
        EXPECT_EQ(Listing(folder), (std::set<std::string>{"copy_" + front.fileName, "copy_" + front.pairedFileName}));
    }
}

TEST(ClipExportNames, OneChannelCopiesAndTheRearFlagThatDoesNothing) {
    const SampleCard& card = SampleCard::get();
    for (RecordingKind kind : {RecordingKind::Continuous, RecordingKind::Event}) {
        const PlannedRecording& single = SingleOfKind(kind);
        const fs::path folder = FreshFolder("names-one");
        const ClipExport exporter(card.path(single), AsSaveFolder(folder), 1);
        EXPECT_EQ(Destinations(exporter.Run(true, true)),
                  std::vector<std::string>{AsSaveFolder(folder) + "copy_" + single.fileName});
        EXPECT_TRUE(exporter.Run(false, true).empty());
        EXPECT_EQ(Listing(folder), std::set<std::string>{"copy_" + single.fileName});
    }
}

TEST(ClipExportNames, PrefixesInTheNameAndTheFolder) {
    // The first "drf2", else the first "evt2", counts even when a later kind prefix exists.
    EXPECT_EQ(ClipExport("/card/evt2_x/drf2_20110512_093015.mp4", "/s/", 2).FrontDestination(),
              "/s/copy_drf2_20110512_093015.mp4");
    EXPECT_EQ(ClipExport("/card/evt2_20110512_093015.mp4", "/s/", 2).RearDestination(),
              "/s/copy_evt1_20110512_093015.mp4");
    EXPECT_EQ(ClipExport("/card/mod0_20110512_093015.mp4", "/s/", 2).RearDestination(),
              "/s/copy_mod1_20110512_093015.mp4");
    EXPECT_EQ(ClipExport("/card/mod0_20110512_093015.mp4", "/s/", 2).RearSource(), "/card/mod1_20110512_093015.mp4");
    EXPECT_EQ(ClipExport("/card/drf0_20110512_093015.mp4", "", 1).FrontDestination(),
              "copy_drf0_20110512_093015.mp4");
    // No kind prefix at all: the file name.
    EXPECT_EQ(ClipExport("/card/holiday.mp4", "/s/", 2).FrontDestination(), "/s/copy_holiday.mp4");
}

TEST(ClipExportNames, RearOnlyWritesOnlyTheRearCopy) {
    const auto [front, rear] = SampleCard::get().pair(0);
    const fs::path folder = FreshFolder("rear-only");
    const std::vector<ClipCopy> copies = ClipExport(front, AsSaveFolder(folder), 2).Run(false, true);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].source, rear);
    EXPECT_EQ(Listing(folder), std::set<std::string>{"copy_" + fs::path(rear).filename().string()});
}

TEST(ClipExportNames, ExportingTwiceReplacesTheCopiesUnderTheSameNames) {
    const auto [front, rear] = SampleCard::get().pair(1);
    const fs::path folder = FreshFolder("twice");
    const std::string frontCopy = "copy_" + fs::path(front).filename().string();
    tripdesk::test::WriteBytes(folder / frontCopy, Bytes(100, 0xEE));   // an older file of that name
    const ClipExport exporter(front, AsSaveFolder(folder), 2);
    const std::vector<std::string> first = Destinations(exporter.Run(true, true));
    const Bytes once = ReadBytes(folder / frontCopy);
    const std::vector<std::string> second = Destinations(exporter.Run(true, true));
    EXPECT_EQ(first, second);
    EXPECT_EQ(ReadBytes(folder / frontCopy), once);
    EXPECT_EQ(ReadBytes(folder / frontCopy).size(), fs::file_size(front));
    EXPECT_EQ(Listing(folder).size(), 2u) << "no temporary file is left";
}

TEST(ClipExportNames, AnEmptyFolderWritesBareNamesIntoTheCurrentDirectory) {
    const auto [front, rear] = SampleCard::get().pair(0);
    const fs::path folder = FreshFolder("current-directory");
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    const std::vector<ClipCopy> copies = ClipExport(front, "", 2).Run(true, true);
    fs::current_path(before);
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[0].destination, "copy_" + fs::path(front).filename().string());
    EXPECT_EQ(copies[1].destination, "copy_" + fs::path(rear).filename().string());
    EXPECT_EQ(Listing(folder), (std::set<std::string>{copies[0].destination, copies[1].destination}));
}

// --- bytes ---------------------------------------------------------------------------------

TEST(ClipExportBytes, TheHeadIsTheStandardBoxAndEveryOtherByteTheSources) {
    const auto [front, rear] = SampleCard::get().pair(0);
    const Bytes frontBefore = ReadBytes(front);
    const Bytes rearBefore = ReadBytes(rear);
    const fs::path folder = FreshFolder("bytes");
    const std::vector<ClipCopy> copies = ClipExport(front, AsSaveFolder(folder), 2).Run(true, true);
    ASSERT_EQ(copies.size(), 2u);
    for (std::size_t i = 0; i < copies.size(); ++i) {
        const Bytes& source = i == 0 ? frontBefore : rearBefore;
        ASSERT_TRUE(source.size() > 24 && source[4] == 'f' && source[7] == 'p') << "the recorder's ftyp";
        const Bytes copy = ReadBytes(copies[i].destination);
        ASSERT_EQ(copy.size(), source.size());
        EXPECT_TRUE(std::equal(kStandardFileTypeBox.begin(), kStandardFileTypeBox.end(), copy.begin()));
        EXPECT_TRUE(std::equal(copy.begin() + 24, copy.end(), source.begin() + 24));
        EXPECT_FALSE(std::equal(source.begin(), source.begin() + 24, copy.begin())) << "the source's own box went";
    }
    EXPECT_EQ(ReadBytes(front), frontBefore);
    EXPECT_EQ(ReadBytes(rear), rearBefore);
}

TEST(ClipExportBytes, ACopyGetsTheModeOfANewFile) {
    const auto [front, rear] = SampleCard::get().pair(0);
    const fs::path folder = FreshFolder("mode");
    const mode_t old = ::umask(002);
    const std::vector<ClipCopy> copies = ClipExport(front, AsSaveFolder(folder), 2).Run(true, false);
    ::umask(old);
    ASSERT_EQ(copies.size(), 1u);
    struct stat info {};
    ASSERT_EQ(::stat(copies[0].destination.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0664u);
}

// A crafted recording: head, then bytes 0..n that end the file.
Bytes WithTail(Bytes head, std::size_t tail) {
    for (std::size_t i = 0; i < tail; ++i) head.push_back(static_cast<std::uint8_t>(i * 7 + 1));
    return head;
}

// Copies a crafted file named as a recording and returns the copy's bytes.
Bytes CopyOf(const Bytes& bytes) {
    const fs::path folder = FreshFolder("crafted");
    const fs::path source = folder / "drf2_20110512_093015.mp4";
    tripdesk::test::WriteBytes(source, bytes);
    const std::vector<ClipCopy> copies = ClipExport(source.string(), AsSaveFolder(folder), 2).Run(true, false);
    EXPECT_TRUE(copies.size() == 1 && copies[0].result.ok());
    return ReadBytes(folder / "copy_drf2_20110512_093015.mp4");
}

Bytes FileTypeOf(std::uint32_t declaredSize, std::size_t bytes) {
    Bytes box;
    tripdesk::test::AppendBigEndian(box, declaredSize, 4);
    box.insert(box.end(), {'f', 't', 'y', 'p', 'i', 's', 'o', 'm', 0, 0, 2, 0});
    while (box.size() < bytes) box.push_back('a' + box.size() % 26);
    return box;
}

TEST(ClipExportBytes, TheFirstBoxDecidesWhatGoesAtTheHead) {
    // 40-byte ftyp: the box, a free box of 16 over bytes 24..39, the rest untouched.
    const Bytes large = WithTail(FileTypeOf(40, 40), 100);
    const Bytes largeCopy = CopyOf(large);
    ASSERT_EQ(largeCopy.size(), large.size());
    EXPECT_TRUE(std::equal(kStandardFileTypeBox.begin(), kStandardFileTypeBox.end(), largeCopy.begin()));
    EXPECT_EQ(Bytes(largeCopy.begin() + 24, largeCopy.begin() + 32), (Bytes{0, 0, 0, 16, 'f', 'r', 'e', 'e'}));
    EXPECT_TRUE(std::equal(largeCopy.begin() + 32, largeCopy.end(), large.begin() + 32));

    // Another first box (a scrambled one): the box over its first 24 bytes.
    Bytes other = WithTail(FileTypeOf(24, 24), 50);
    std::memcpy(other.data() + 4, "mdat", 4);
    const Bytes otherCopy = CopyOf(other);
    EXPECT_TRUE(std::equal(kStandardFileTypeBox.begin(), kStandardFileTypeBox.end(), otherCopy.begin()));
    EXPECT_TRUE(std::equal(otherCopy.begin() + 24, otherCopy.end(), other.begin() + 24));

    // Copied unchanged: an ftyp of size 20, 0, 1, 25 or 31; a large ftyp in a file of 28 bytes; a
    // file under 24 bytes.
    for (const Bytes& unchanged : {WithTail(FileTypeOf(20, 20), 60), WithTail(FileTypeOf(0, 24), 60),
                                   WithTail(FileTypeOf(1, 24), 60), WithTail(FileTypeOf(25, 25), 60),
                                   WithTail(FileTypeOf(31, 31), 60), FileTypeOf(64, 28), FileTypeOf(24, 23),
                                   Bytes{}})
        EXPECT_EQ(CopyOf(unchanged), unchanged) << "size " << unchanged.size();
}

// --- failures ------------------------------------------------------------------------------

TEST(ClipExportFailures, AFolderThatDoesNotExist) {
    const auto [front, rear] = SampleCard::get().pair(0);
    const fs::path missing = FreshFolder("missing-parent") / "absent";
    const std::vector<ClipCopy> copies = ClipExport(front, AsSaveFolder(missing), 2).Run(true, true);
    ASSERT_EQ(copies.size(), 2u);
    for (const ClipCopy& copy : copies) {
        EXPECT_EQ(copy.result.failedAt, CopyStep::CreateTemporary);
        EXPECT_EQ(copy.result.error, ENOENT);
        EXPECT_NE(Describe(copy).find(copy.destination), std::string::npos);
        EXPECT_NE(Describe(copy).find(std::strerror(ENOENT)), std::string::npos);
    }
    EXPECT_STREQ(ClipExportMessage(copies), "저장에 실패했습니다.");
    EXPECT_FALSE(fs::exists(missing));
}

TEST(ClipExportFailures, NothingRequestedIsACompleteExport) {
    const auto [front, rear] = SampleCard::get().pair(0);
    EXPECT_STREQ(ClipExportMessage(ClipExport(front, "/nonexistent/", 2).Run(false, false)), "저장이 완료되었습니다.");
    EXPECT_STREQ(ClipExportMessage(ClipExport(front, "/nonexistent/", 1).Run(false, true)), "저장이 완료되었습니다.");
}

// Child exit codes of the full-disk run.
constexpr int kChildFailedAsExpected = 0;
constexpr int kChildWrongResult = 3;
constexpr int kChildNoLimit = 4;

TEST(ClipExportFailures, AFullDiskLeavesNoCopyNoTemporaryFileAndTheEarlierCopyWhole) {
    const std::string front = SampleCard::get().pair(0).first;
    const rlim_t limit = 64 * 1024;
    ASSERT_GT(fs::file_size(front), 2 * limit) << "the limit must cut the copy";
    const fs::path folder = FreshFolder("full-disk");
    const fs::path earlier = folder / ("copy_" + fs::path(front).filename().string());
    const Bytes earlierBytes(1000, 0x42);
    tripdesk::test::WriteBytes(earlier, earlierBytes);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Writes beyond the limit fail with EFBIG instead of killing the process.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit fileSize{};
        ::getrlimit(RLIMIT_FSIZE, &fileSize);
        fileSize.rlim_cur = limit;
        if (::setrlimit(RLIMIT_FSIZE, &fileSize) != 0) ::_exit(kChildNoLimit);
        const std::vector<ClipCopy> copies = ClipExport(front, AsSaveFolder(folder), 2).Run(true, false);
        const bool expected = copies.size() == 1 && copies[0].result.failedAt == CopyStep::Write &&
                              copies[0].result.error == EFBIG && !AllWritten(copies);
        ::_exit(expected ? kChildFailedAsExpected : kChildWrongResult);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kChildFailedAsExpected);
    EXPECT_EQ(Listing(folder), std::set<std::string>{earlier.filename().string()});
    EXPECT_EQ(ReadBytes(earlier), earlierBytes);
}

TEST(ClipExportFailures, AMissingRearFileStillGivesTheFrontCopy) {
    const auto [cardFront, cardRear] = SampleCard::get().pair(0);
    const fs::path card = FreshFolder("rear-gone-card");
    const fs::path front = card / fs::path(cardFront).filename();
    fs::copy_file(cardFront, front);   // its rear file is not there
    const fs::path folder = FreshFolder("rear-gone");
    const std::vector<ClipCopy> copies = ClipExport(front.string(), AsSaveFolder(folder), 2).Run(true, true);
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_TRUE(copies[0].result.ok());
    EXPECT_EQ(copies[1].result.failedAt, CopyStep::OpenSource);
    EXPECT_EQ(copies[1].result.error, ENOENT);
    EXPECT_NE(Describe(copies[1]).find(copies[1].source), std::string::npos);
    EXPECT_STREQ(ClipExportMessage(copies), "저장에 실패했습니다.");
    EXPECT_EQ(Listing(folder), std::set<std::string>{"copy_" + front.filename().string()});
}

TEST(ClipExportFailures, ARecordingWithoutAKindPrefixHasNoRearCopy) {
    const fs::path folder = FreshFolder("no-prefix");
    const fs::path source = folder / "holiday.mp4";
    fs::copy_file(SampleCard::get().pair(0).first, source);
    const std::vector<ClipCopy> copies = ClipExport(source.string(), AsSaveFolder(folder), 2).Run(true, true);
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_TRUE(copies[0].result.ok());
    EXPECT_EQ(copies[1].result.failedAt, CopyStep::NoRearChannel);
    EXPECT_EQ(Listing(folder), (std::set<std::string>{"holiday.mp4", "copy_holiday.mp4"}));
}

} // namespace
} // namespace catalogue::test
