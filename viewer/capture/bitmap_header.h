#pragma once
// The 40-byte header of a packed device-independent bitmap, field by field, and the row stride of
// a 24-bit picture (rows padded to 4 bytes).

#include <cstddef>
#include <cstdint>

namespace capture {

struct BitmapHeader {
    std::uint32_t size = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;   // positive: rows run bottom-up
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;   // 0: uncompressed
    std::uint32_t imageSize = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t colorsImportant = 0;
};

inline constexpr std::size_t kBitmapHeaderBytes = 40;

constexpr std::size_t Stride24(std::int32_t width) {
    return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
}

} // namespace capture
