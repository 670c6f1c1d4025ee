#pragma once
// Outside judgement of the encoder's files: test pictures built from their own formulas, djpeg
// as the decoder, and PSNR against the picture that was encoded.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "capture/bitmap_header.h"

namespace capture::testing {

// A 24-bit bottom-up bitmap: rows of B, G, R padded to 4 bytes, the last stored row on top.
struct Picture24 {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;

    BitmapHeader Header() const;
    // Blue, green, red of (x, y) counted from the top.
    const std::uint8_t* At(int x, int y) const;
    std::uint8_t* At(int x, int y);
};

Picture24 BlankPicture(int width, int height);
// From the top: B = (x + y) mod 256, G = 255y / 480, R = 255x / 641 (integer division).
Picture24 GradientPicture(int width = 642, int height = 481);
// Every byte from a fixed pseudo-random sequence.
Picture24 NoisePicture(int width, int height, std::uint32_t seed);
// One frame of a recording, scaled to 640 × 480 by ffmpeg; nothing when ffmpeg fails.
std::optional<Picture24> RecordingFrame(const std::string& path, int frameIndex);
bool WriteBmp(const Picture24& picture, const std::filesystem::path& path);

struct Decoded {
    bool clean = false;        // djpeg ended with 0 and printed nothing
    std::string messages;      // what djpeg printed on its error stream
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;   // rows top to bottom
    const std::uint8_t* At(int x, int y) const { return rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3; }
};
Decoded DecodeWithDjpeg(const std::filesystem::path& jpeg);

// Over the three colour components of the whole picture.
double Psnr(const Picture24& original, const Decoded& decoded);

// pdfinfo's fields ("Title", "Pages", "Page size", ...) with their values trimmed; empty when
// pdfinfo fails.
std::map<std::string, std::string> PdfInfo(const std::filesystem::path& pdf);
// The first page's width and height in points, from "Page size"; nothing when absent.
std::optional<std::pair<double, double>> PdfPageSize(const std::map<std::string, std::string>& info);

} // namespace capture::testing
