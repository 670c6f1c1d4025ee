// Whole-file writes: the new bytes exactly, or the old file as it was and no temporary left.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/whole_file.h"
#include "read_only_folder.h"
#include "test_folders.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t EntriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

mode_t PermissionsOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 0777;
}

TEST(WholeFile, WritesExactlyTheBytesAndReplacesAnOlderFile) {
    const fs::path folder = tripdesk::test::FreshFolder("whole-file-replace");
    const fs::path target = folder / "setup.dat";
    ASSERT_FALSE(WriteWholeFile(target, "1 0 6 8 2 2 1 and more"));
    ASSERT_FALSE(WriteWholeFile(target, "0 3 3 4 1 1 1"));
    EXPECT_EQ(ReadFile(target), "0 3 3 4 1 1 1");
    EXPECT_EQ(EntriesIn(folder), 1u) << "no temporary file is left behind";
    ASSERT_FALSE(WriteWholeFile(target, ""));
    EXPECT_EQ(fs::file_size(target), 0u);

    // A new file takes the permissions asked for, less the umask.
    const mode_t mask = ::umask(022);
    ASSERT_FALSE(WriteWholeFile(folder / "shared", "x"));
    ASSERT_FALSE(WriteWholeFile(folder / "private", "x", {0600, std::nullopt}));
    ::umask(mask);
    EXPECT_EQ(PermissionsOf(folder / "shared"), 0644u);
    EXPECT_EQ(PermissionsOf(folder / "private"), 0600u);
}

TEST(WholeFile, AFailedWriteLeavesTheOlderFileWholeAndNoTemporary) {
    const fs::path folder = tripdesk::test::FreshFolder("whole-file-fail");
    const fs::path target = folder / "setup.dat";
    ASSERT_FALSE(WriteWholeFile(target, "1 0 6 8 2 2 1"));
    for (std::size_t stop : {std::size_t{0}, std::size_t{5}, std::size_t{13}}) {
        SCOPED_TRACE(stop);
        EXPECT_TRUE(WriteWholeFile(target, "0 3 3 4 1 1 1", {0666, stop}));
        EXPECT_EQ(ReadFile(target), "1 0 6 8 2 2 1");
        EXPECT_EQ(EntriesIn(folder), 1u);
    }
    // A folder where the file should be cannot be replaced by it.
    fs::create_directories(folder / "taken" / "inside");
    EXPECT_EQ(WriteWholeFile(folder / "taken", "0 3 3 4 1 1 1").value(), EISDIR);
    EXPECT_TRUE(fs::is_directory(folder / "taken" / "inside"));
    EXPECT_EQ(EntriesIn(folder), 2u);

    EXPECT_EQ(WriteWholeFile(folder / "missing" / "setup.dat", "x").value(), ENOENT);
}

TEST(WholeFile, AReadOnlyFolderRefusesTheFile) {
    const fs::path folder = tripdesk::test::FreshFolder("whole-file-read-only");
    {
        const tripdesk::test::ReadOnlyFolder readOnly(folder / "card");
        EXPECT_EQ(WriteWholeFile(readOnly.path() / "setup.dat", "0 3 3 4 1 1 1").value(), EACCES);
        EXPECT_EQ(EntriesIn(readOnly.path()), 0u);
    }
    EXPECT_FALSE(WriteWholeFile(folder / "card" / "setup.dat", "0 3 3 4 1 1 1")) << "writable again";
}

} // namespace
} // namespace platform
