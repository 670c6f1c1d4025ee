#include "capture/jpeg_encoder.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "capture/huffman_code.h"
#include "capture/jpeg_bit_writer.h"
#include "capture/jpeg_block.h"
#include "capture/jpeg_scan.h"
#include "capture/jpeg_tables.h"
#include "platform/whole_file.h"

namespace capture {

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutWord(Bytes& out, std::size_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void PutQuantTable(Bytes& out, std::uint8_t id, const std::array<std::uint8_t, 64>& table) {
    out.insert(out.end(), {0xff, 0xdb, 0x00, 0x43, id});
    out.insert(out.end(), table.begin(), table.end());
}

// Writes the DHT segment and returns the codes built from the bytes just written.
jpeg::HuffmanCodeSet PutHuffmanTables(Bytes& out) {
    std::size_t length = 2;
    for (const auto& table : jpeg::kHuffmanTables) length += 17 + table.values.size();
    out.insert(out.end(), {0xff, 0xc4});
    PutWord(out, length);
    const std::size_t payloadStart = out.size();
    for (const auto& table : jpeg::kHuffmanTables) {
        out.push_back(table.classAndId);
        out.insert(out.end(), table.bits.begin(), table.bits.end());
        out.insert(out.end(), table.values.begin(), table.values.end());
    }
    // The tables are fixed and well formed; a failure here is a broken table in this program.
    return *jpeg::HuffmanCodeSet::FromDht(std::span(out).subspan(payloadStart));
}

void PutFrameAndScanHeaders(Bytes& out, std::size_t width, std::size_t height) {
    out.insert(out.end(), {0xff, 0xc0, 0x00, 0x11, 0x08});
    PutWord(out, height);
    PutWord(out, width);
    out.insert(out.end(), {0x03, 0x01, 0x11, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01});
    out.insert(out.end(), {0xff, 0xda, 0x00, 0x0c, 0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3f, 0x00});
}

constexpr std::size_t RoundUpTo8(std::size_t value) { return (value + 7) / 8 * 8; }

std::uint8_t ClampToByte(float value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0.0f, 255.0f));
}

// Level-shifted Y, Cb and Cr of the padded picture, rows top to bottom; padding stays 0.
struct Planes {
    std::size_t width8;
    std::size_t height8;
    std::array<std::vector<std::int16_t>, 3> samples;
};

Planes ConvertColours(const std::uint8_t* pixels, std::size_t width, std::size_t height, std::size_t stride) {
    Planes planes{RoundUpTo8(width), RoundUpTo8(height), {}};
    for (auto& plane : planes.samples) plane.assign(planes.width8 * planes.height8, 0);
    for (std::size_t row = 0; row < height; ++row) {
        // Bottom-up source: the top row of the picture is the last one stored.
        const std::uint8_t* source = pixels + (height - 1 - row) * stride;
        for (std::size_t column = 0; column < width; ++column) {
            const double b = source[column * 3 + 0];
            const double g = source[column * 3 + 1];
            const double r = source[column * 3 + 2];
            const float y = static_cast<float>(0.299f * r + 0.587f * g + 0.114f * b);
            const float cb = static_cast<float>(-0.1687f * r - 0.3313f * g + 0.5f * b + 128.0);
            const float cr = static_cast<float>(0.5f * r - 0.4187f * g - 0.0813f * b + 128.0);
            const std::size_t at = row * planes.width8 + column;
            planes.samples[0][at] = static_cast<std::int16_t>(ClampToByte(y) - 128);
            planes.samples[1][at] = static_cast<std::int16_t>(ClampToByte(cb) - 128);
            planes.samples[2][at] = static_cast<std::int16_t>(ClampToByte(cr) - 128);
        }
    }
    return planes;
}

jpeg::SampleBlock BlockAt(const std::vector<std::int16_t>& plane, std::size_t width8, std::size_t blockRow,
                          std::size_t blockColumn) {
    jpeg::SampleBlock block;
    for (std::size_t y = 0; y < 8; ++y)
        std::memcpy(&block[y * 8], &plane[(blockRow * 8 + y) * width8 + blockColumn * 8], 8 * sizeof(std::int16_t));
    return block;
}

void CodeScan(Bytes& out, const Planes& planes, const jpeg::HuffmanCodeSet& codes, DctForm dct) {
    const auto transform = dct == DctForm::Plain ? jpeg::ForwardDct : jpeg::ForwardDctSideBySide;
    struct Component {
        const std::array<std::uint8_t, 64>& quant;
        const jpeg::HuffmanCode& dc;
        const jpeg::HuffmanCode& ac;
    };
    const std::array<Component, 3> components = {{
        {jpeg::kLuminanceQuant, *codes.Find(0x00), *codes.Find(0x10)},
        {jpeg::kChrominanceQuant, *codes.Find(0x01), *codes.Find(0x11)},
        {jpeg::kChrominanceQuant, *codes.Find(0x01), *codes.Find(0x11)},
    }};
    std::array<std::int32_t, 3> predictors{};
    jpeg::BitWriter writer(out);
    for (std::size_t blockRow = 0; blockRow < planes.height8 / 8; ++blockRow) {
        for (std::size_t blockColumn = 0; blockColumn < planes.width8 / 8; ++blockColumn) {
            for (std::size_t c = 0; c < components.size(); ++c) {
                const auto samples = BlockAt(planes.samples[c], planes.width8, blockRow, blockColumn);
                const auto quantised = jpeg::Quantise(transform(samples), components[c].quant);
                jpeg::CodeBlock(writer, quantised, predictors[c], components[c].dc, components[c].ac);
            }
        }
    }
    writer.Flush();
}

} // namespace

bool JpegEncoder::SetImage(const BitmapHeader& header, const std::uint8_t* pixels, std::size_t byteCount) {
    if (!pixels || header.bitCount != 24 || header.compression != 0) return false;
    if (header.width < 1 || header.width > 65535 || header.height < 1 || header.height > 65535) return false;
    if (byteCount < Stride24(header.width) * static_cast<std::size_t>(header.height)) return false;
    header_ = header;
    pixels_.assign(pixels, pixels + byteCount);
    hasImage_ = true;
    return true;
}

std::optional<std::vector<std::uint8_t>> JpegEncoder::Encode() const {
    if (!hasImage_) return std::nullopt;
    const auto width = static_cast<std::size_t>(header_.width);
    const auto height = static_cast<std::size_t>(header_.height);
    Bytes out;
    out.insert(out.end(), {0xff, 0xd8});
    PutQuantTable(out, 0x00, jpeg::kLuminanceQuant);
    PutQuantTable(out, 0x01, jpeg::kChrominanceQuant);
    const jpeg::HuffmanCodeSet codes = PutHuffmanTables(out);
    PutFrameAndScanHeaders(out, width, height);
    CodeScan(out, ConvertColours(pixels_.data(), width, height, Stride24(header_.width)), codes, dct_);
    out.insert(out.end(), {0xff, 0xd9});
    return out;
}

bool JpegEncoder::EncodeToFile(const std::filesystem::path& path) const {
    const std::optional<Bytes> bytes = Encode();
    return bytes && !platform::WriteWholeFile(
                         path, std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

} // namespace capture
