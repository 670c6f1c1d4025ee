#include "bmp_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace benchjpeg {

namespace {
std::uint32_t Little(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes; i-- > 0;) value = value << 8 | b[at + i];
    return value;
}
} // namespace

std::optional<capture::testing::Picture24> ReadBmp(const std::filesystem::path& path, std::string& reason) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') {
        reason = "not a BMP file";
        return std::nullopt;
    }
    const std::uint32_t offset = Little(file, 10, 4);
    const auto width = static_cast<std::int32_t>(Little(file, 18, 4));
    const auto height = static_cast<std::int32_t>(Little(file, 22, 4));
    if (Little(file, 28, 2) != 24 || Little(file, 30, 4) != 0) {
        reason = "only 24-bit uncompressed BMP files";
        return std::nullopt;
    }
    if (width < 1 || width > 65535 || height < 1 || height > 65535) {
        reason = "width and height must be 1..65535 with rows bottom-up";
        return std::nullopt;
    }
    capture::testing::Picture24 picture = capture::testing::BlankPicture(width, height);
    if (offset > file.size() || file.size() - offset < picture.bytes.size()) {
        reason = "the file is shorter than its rows";
        return std::nullopt;
    }
    std::copy_n(file.begin() + offset, picture.bytes.size(), picture.bytes.begin());
    return picture;
}

} // namespace benchjpeg
