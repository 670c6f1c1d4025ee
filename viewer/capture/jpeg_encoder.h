#pragma once
// JpegEncoder: one 24-bit bottom-up bitmap to a baseline JPEG (sequential DCT, Huffman, 8-bit
// samples) with fixed tables and no quality setting. The encoder never changes its own copy of
// the picture, so encoding twice gives the same bytes.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "capture/bitmap_header.h"

namespace capture {

// Which arrangement of the DCT's float operations is used; both give the same bytes.
enum class DctForm { Plain, SideBySide };

class JpegEncoder {
public:
    explicit JpegEncoder(DctForm dct = DctForm::SideBySide) : dct_(dct) {}

    // Copies the header fields and byteCount pixel bytes (rows bottom-up, B, G, R, padded to 4
    // bytes). Refused: anything but 24-bit uncompressed, a width or height outside 1..65535,
    // fewer bytes than stride × height, no pixels.
    bool SetImage(const BitmapHeader& header, const std::uint8_t* pixels, std::size_t byteCount);

    // The whole file; nothing before a picture was accepted.
    std::optional<std::vector<std::uint8_t>> Encode() const;
    // Writes the file whole through a temporary file and a rename; false when it could not be
    // created, written, flushed, closed or put in place (an older file of that name stays whole).
    bool EncodeToFile(const std::filesystem::path& path) const;

    const BitmapHeader& Header() const { return header_; }

private:
    DctForm dct_;
    BitmapHeader header_;
    std::vector<std::uint8_t> pixels_;
    bool hasImage_ = false;
};

} // namespace capture
