// Files written by the encoder: the same bytes as in memory, and failures that leave no partial
// JPEG and keep an older capture of that name whole.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <iterator>

#include "capture/jpeg_encoder.h"
#include "jpeg_judge.h"
#include "test_folders.h"

namespace capture {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path().filename());
    return files;
}

JpegEncoder EncoderOf(const testing::Picture24& picture) {
    JpegEncoder encoder;
    EXPECT_TRUE(encoder.SetImage(picture.Header(), picture.bytes.data(), picture.bytes.size()));
    return encoder;
}

TEST(JpegFile, FileHoldsTheEncodedBytesAndReplacesAnOlderOne) {
    const fs::path folder = tripdesk::test::FreshFolder("written");
    const fs::path path = folder / "drf2_20240102_030405_0125.jpg";
    { std::ofstream(path) << "an older capture"; }
    const JpegEncoder encoder = EncoderOf(testing::GradientPicture());
    ASSERT_TRUE(encoder.EncodeToFile(path));
    EXPECT_EQ(ReadAll(path), *encoder.Encode());
    EXPECT_EQ(FilesIn(folder), std::vector<fs::path>{path.filename()}) << "no temporary file is left";
    const auto mode = fs::status(path).permissions();
    EXPECT_NE(mode & fs::perms::others_read, fs::perms::none) << "an ordinary file, not owner-only";
}

TEST(JpegFile, MissingOrUnusableFolderFails) {
    const fs::path folder = tripdesk::test::FreshFolder("unusable");
    const JpegEncoder encoder = EncoderOf(testing::BlankPicture(16, 16));
    EXPECT_FALSE(encoder.EncodeToFile(folder / "missing" / "a.jpg"));
    { std::ofstream(folder / "plain-file") << "x"; }
    EXPECT_FALSE(encoder.EncodeToFile(folder / "plain-file" / "a.jpg"));
    EXPECT_FALSE(encoder.EncodeToFile(folder / ""));
    EXPECT_EQ(FilesIn(folder), std::vector<fs::path>{"plain-file"});
    EXPECT_FALSE(JpegEncoder().EncodeToFile(folder / "nothing.jpg")) << "no picture, no file";
    EXPECT_FALSE(fs::exists(folder / "nothing.jpg"));
}

// The superuser writes into read-only folders, so then the write runs in a child process that
// has given up its rights.
TEST(JpegFile, ReadOnlyFolderFails) {
    const fs::path folder = tripdesk::test::FreshFolder("read-only");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const JpegEncoder encoder = EncoderOf(testing::BlankPicture(16, 16));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
        ::_exit(encoder.EncodeToFile(folder / "a.jpg") ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    fs::permissions(folder, fs::perms::owner_all);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the encoder reported success, 2: the rights were not given up";
    EXPECT_TRUE(FilesIn(folder).empty());
}

// A child process with a file-size limit below the file's size: its write fails midway. The
// older capture of that name stays whole and no temporary file is left behind.
TEST(JpegFile, WriteFailingMidwayKeepsTheOlderFile) {
    const fs::path folder = tripdesk::test::FreshFolder("midway");
    const fs::path path = folder / "evt2_20240102_030405_0001.jpg";
    const std::string older = "an older capture, whole";
    { std::ofstream(path) << older; }
    const JpegEncoder encoder = EncoderOf(testing::GradientPicture());   // 15578 bytes

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(encoder.EncodeToFile(path) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the encoder reported success";
    const auto kept = ReadAll(path);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), older);
    EXPECT_EQ(FilesIn(folder), std::vector<fs::path>{path.filename()});
}

} // namespace
} // namespace capture
