#pragma once
// A plain folder standing for a mounted card, and whole-file reads of what lands on it.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "test_folders.h"

namespace card::test {

inline std::string CardFolder(const std::string& name) { return tripdesk::test::FreshFolder(name).string(); }

inline std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace card::test
