#include "gif_writer.h"

#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

namespace skingen {
namespace {

constexpr int kColours = 256;
constexpr int kMinCodeSize = 8;
constexpr int kClearCode = 1 << kMinCodeSize;
constexpr int kEndCode = kClearCode + 1;
constexpr int kLastCode = 4095;

struct Indexed {
    std::vector<QRgb> palette;           // kColours entries
    std::vector<std::uint8_t> pixels;    // one index per pixel, rows top to bottom
};

int CubeIndex(QRgb c) {
    const int r = (qRed(c) * 5 + 127) / 255;
    const int g = (qGreen(c) * 6 + 127) / 255;
    const int b = (qBlue(c) * 5 + 127) / 255;
    return (r * 7 + g) * 6 + b;
}

std::vector<QRgb> CubePalette() {
    std::vector<QRgb> palette(kColours, qRgb(0, 0, 0));
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 7; ++g)
            for (int b = 0; b < 6; ++b) palette[(r * 7 + g) * 6 + b] = qRgb(r * 255 / 5, g * 255 / 6, b * 255 / 5);
    return palette;
}

Indexed ToIndexed(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    Indexed out;
    out.pixels.reserve(static_cast<std::size_t>(image.width()) * image.height());
    std::map<QRgb, int> exact;
    for (int y = 0; y < image.height() && exact.size() <= kColours; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) exact.emplace(line[x] | 0xFF000000, 0);
    }
    const bool fits = exact.size() <= kColours;
    if (fits) {
        out.palette.assign(kColours, qRgb(0, 0, 0));
        int next = 0;
        for (auto& [colour, index] : exact) {
            index = next;
            out.palette[next++] = colour;
        }
    } else {
        out.palette = CubePalette();
    }
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb colour = line[x] | 0xFF000000;
            out.pixels.push_back(static_cast<std::uint8_t>(fits ? exact[colour] : CubeIndex(colour)));
        }
    }
    return out;
}

// Codes packed least significant bit first, cut into sub-blocks of at most 255 bytes.
class CodeWriter {
public:
    void Put(int code, int size) {
        bits_ |= static_cast<std::uint32_t>(code) << count_;
        count_ += size;
        while (count_ >= 8) {
            Byte(static_cast<char>(bits_ & 0xFF));
            bits_ >>= 8;
            count_ -= 8;
        }
    }
    QByteArray Finish() {
        if (count_ > 0) Byte(static_cast<char>(bits_ & 0xFF));
        bits_ = 0;
        count_ = 0;
        FlushBlock();
        out_.append('\0');   // block terminator
        return out_;
    }

private:
    void Byte(char b) {
        block_.append(b);
        if (block_.size() == 255) FlushBlock();
    }
    void FlushBlock() {
        if (block_.isEmpty()) return;
        out_.append(static_cast<char>(block_.size()));
        out_.append(block_);
        block_.clear();
    }
    std::uint32_t bits_ = 0;
    int count_ = 0;
    QByteArray block_;
    QByteArray out_;
};

QByteArray Compress(const std::vector<std::uint8_t>& pixels) {
    CodeWriter writer;
    std::unordered_map<std::uint32_t, int> table;   // (prefix code << 8 | next index) -> code
    int codeSize = kMinCodeSize + 1;
    int lastCode = kEndCode;
    writer.Put(kClearCode, codeSize);
    if (pixels.empty()) {
        writer.Put(kEndCode, codeSize);
        return writer.Finish();
    }
    int prefix = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const std::uint32_t key = (static_cast<std::uint32_t>(prefix) << 8) | pixels[i];
        if (const auto found = table.find(key); found != table.end()) {
            prefix = found->second;
            continue;
        }
        writer.Put(prefix, codeSize);
        table.emplace(key, ++lastCode);
        if (lastCode >= (1 << codeSize) && codeSize < 12) ++codeSize;
        if (lastCode == kLastCode) {
            // The table is full: start over, as a decoder would after the clear code.
            writer.Put(kClearCode, codeSize);
            table.clear();
            codeSize = kMinCodeSize + 1;
            lastCode = kEndCode;
        }
        prefix = pixels[i];
    }
    writer.Put(prefix, codeSize);
    writer.Put(kEndCode, codeSize);
    return writer.Finish();
}

void Append16(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

} // namespace

QByteArray EncodeGif89a(const QImage& image) {
    const Indexed indexed = ToIndexed(image);
    QByteArray out("GIF89a");
    Append16(out, image.width());
    Append16(out, image.height());
    out.append(static_cast<char>(0xF7));   // global table of 256 entries, 8 bits per primary
    out.append('\0');                      // background colour index
    out.append('\0');                      // square pixels
    for (QRgb colour : indexed.palette) {
        out.append(static_cast<char>(qRed(colour)));
        out.append(static_cast<char>(qGreen(colour)));
        out.append(static_cast<char>(qBlue(colour)));
    }
    out.append(',');                       // image descriptor
    Append16(out, 0);
    Append16(out, 0);
    Append16(out, image.width());
    Append16(out, image.height());
    out.append('\0');                      // no local table, not interlaced
    out.append(static_cast<char>(kMinCodeSize));
    out.append(Compress(indexed.pixels));
    out.append(';');                       // trailer
    return out;
}

} // namespace skingen
