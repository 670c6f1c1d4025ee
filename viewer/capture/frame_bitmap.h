#pragma once
// A frame picture of the player library (640 × 480, 4 bytes a pixel: B, G, R, unused, rows from
// the top, as the library contract gives it) as a packed 24-bit bitmap: rows from the bottom, B,
// G, R, padded to 4 bytes.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "capture/bitmap_header.h"
#include "contract/vexplayer_contract.h"

namespace capture {

inline constexpr int kFrameWidth = vexplayer::kFrameWidth;
inline constexpr int kFrameHeight = vexplayer::kFrameHeight;
inline constexpr std::size_t kFramePictureBytes = vexplayer::kFramePictureBytes;

struct PackedBitmap {
    BitmapHeader header;              // 40, 640, 480, 1, 24, 0, 640 × 480 × 3, the rest 0
    std::vector<std::uint8_t> rows;   // 921600 bytes
};

// Nothing unless the picture is exactly 640 × 480 × 4 bytes.
std::optional<PackedBitmap> ToPackedBitmap(std::span<const std::uint8_t> picture);

} // namespace capture
