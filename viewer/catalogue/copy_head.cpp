#include "catalogue/copy_head.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "mp4/big_endian.h"

namespace catalogue {

namespace {

constexpr std::string_view kFileTypeBoxText = "00000018667479706D703432000000006D70343269736F6D";
static_assert(kFileTypeBoxText.size() == 2 * kFileTypeBoxBytes);

constexpr std::uint8_t HexDigit(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
    return static_cast<std::uint8_t>(c - 'a' + 10);
}

constexpr std::array<std::uint8_t, kFileTypeBoxBytes> ConvertBox() {
    std::array<std::uint8_t, kFileTypeBoxBytes> box{};
    for (std::size_t i = 0; i < box.size(); ++i)
        box[i] = static_cast<std::uint8_t>(HexDigit(kFileTypeBoxText[2 * i]) << 4 | HexDigit(kFileTypeBoxText[2 * i + 1]));
    return box;
}

constexpr std::array<std::uint8_t, kFileTypeBoxBytes> kFileTypeBox = ConvertBox();

} // namespace

const std::array<std::uint8_t, kFileTypeBoxBytes>& FileTypeBox() { return kFileTypeBox; }

void RewriteCopyHead(std::span<std::uint8_t> head) {
    if (head.size() < kFileTypeBoxBytes) return;
    const std::uint32_t size = mp4::ReadBigEndian32(head.data());
    const bool fileType = mp4::ReadBigEndian32(head.data() + 4) == mp4::FourCC("ftyp");
    const bool replaced = !fileType || size == kFileTypeBoxBytes;
    const bool split = fileType && size >= kCopyHeadBytes && head.size() >= kCopyHeadBytes;
    if (!replaced && !split) return;
    std::copy(kFileTypeBox.begin(), kFileTypeBox.end(), head.begin());
    if (!split) return;
    mp4::StoreBigEndian32(head.data() + kFileTypeBoxBytes, size - static_cast<std::uint32_t>(kFileTypeBoxBytes));
    std::memcpy(head.data() + kFileTypeBoxBytes + 4, "free", 4);
}

} // namespace catalogue
