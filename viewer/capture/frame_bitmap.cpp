#include "capture/frame_bitmap.h"

namespace capture {

std::optional<PackedBitmap> ToPackedBitmap(std::span<const std::uint8_t> picture) {
    if (picture.size() != kFramePictureBytes) return std::nullopt;
    PackedBitmap bitmap;
    bitmap.header.width = kFrameWidth;
    bitmap.header.height = kFrameHeight;
    bitmap.header.imageSize = static_cast<std::uint32_t>(std::size_t{kFrameWidth} * kFrameHeight * 3);
    const std::size_t stride = Stride24(kFrameWidth);
    bitmap.rows.resize(stride * kFrameHeight);
    for (int y = 0; y < kFrameHeight; ++y) {
        const std::uint8_t* source = picture.data() + std::size_t(y) * kFrameWidth * vexplayer::kFrameBytesPerPixel;
        std::uint8_t* target = bitmap.rows.data() + std::size_t(kFrameHeight - 1 - y) * stride;
        for (int x = 0; x < kFrameWidth; ++x) {
            const std::uint8_t* pixel = source + x * vexplayer::kFrameBytesPerPixel;
            target[x * 3 + 0] = pixel[0];
            target[x * 3 + 1] = pixel[1];
            target[x * 3 + 2] = pixel[2];
        }
    }
    return bitmap;
}

} // namespace capture
