#pragma once
// Reading a 24-bit uncompressed bottom-up BMP file into the tests' picture.

#include <filesystem>
#include <optional>
#include <string>

#include "jpeg_judge.h"

namespace benchjpeg {

// Nothing, with the reason, unless the file is a 24-bit uncompressed BMP with rows bottom-up.
std::optional<capture::testing::Picture24> ReadBmp(const std::filesystem::path& path, std::string& reason);

} // namespace benchjpeg
