#pragma once
// A frame picture of the player library (640 × 480, 4 bytes a pixel: B, G, R, unused, rows from
// the top) as a packed 24-bit bitmap: rows from the bottom, B, G, R, padded to 4 bytes.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "capture/bitmap_header.h"

namespace capture {

inline constexpr int kFrameWidth = 640;
inline constexpr int kFrameHeight = 480;
inline constexpr std::size_t kFramePictureBytes = std::size_t{kFrameWidth} * kFrameHeight * 4;

struct PackedBitmap {
    BitmapHeader header;              // 40, 640, 480, 1, 24, 0, 640 × 480 × 3, the rest 0
    std::vector<std::uint8_t> rows;   // 921600 bytes
};

// Nothing unless the picture is exactly 640 × 480 × 4 bytes.
std::optional<PackedBitmap> ToPackedBitmap(std::span<const std::uint8_t> picture);

} // namespace capture
