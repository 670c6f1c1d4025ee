#pragma once
// Files for the clip export tests: the folder listing and the outside programs (ffprobe,
// ffmpeg) that judge the copies.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "box_bytes.h"
#include "run_program.h"
#include "test_folders.h"

namespace catalogue::test {

using tripdesk::test::Bytes;
using tripdesk::test::FreshFolder;
using tripdesk::test::kStandardFileTypeBox;
using tripdesk::test::ReadBytes;

// The names in a folder, hidden ones included.
inline std::set<std::string> Listing(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

// With a trailing separator, as the settings window keeps a chosen folder.
inline std::string AsSaveFolder(const std::filesystem::path& folder) { return folder.string() + "/"; }

// ffmpeg's checksum of every decoded frame of every stream, video and audio.
inline std::string FrameChecksums(const std::filesystem::path& path) {
    const auto result = samplecard::testing::runProgram(
        "ffmpeg", {"-v", "error", "-i", QString::fromStdString(path.string()), "-map", "0", "-f", "framemd5", "-"});
    EXPECT_EQ(result.exitCode, 0) << path << ": " << result.err.toStdString();
    return result.out.toStdString();
}

// ffprobe's view of the container's brands; exit code and the two tags.
struct Brands {
    int exitCode = -1;
    std::string text;
};
inline Brands ProbeBrands(const std::filesystem::path& path) {
    const auto result = samplecard::testing::runProgram(
        "ffprobe", {"-v", "error", "-show_entries", "format_tags=major_brand,compatible_brands", "-of",
                    "default=nw=1", QString::fromStdString(path.string())});
    return {result.exitCode, result.out.toStdString()};
}

} // namespace catalogue::test
