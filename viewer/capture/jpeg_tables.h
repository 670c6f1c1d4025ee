#pragma once
// The encoder's fixed tables: quantisation in zig-zag order, the typical Huffman tables as BITS
// and HUFFVAL lists, the zig-zag order and the 4-decimal cosine factors of the DCT.

#include <array>
#include <cstdint>
#include <span>

namespace capture::jpeg {

extern const std::array<std::uint8_t, 64> kLuminanceQuant;     // zig-zag order
extern const std::array<std::uint8_t, 64> kChrominanceQuant;   // zig-zag order
// Natural (row-major) index of each zig-zag position.
extern const std::array<std::uint8_t, 64> kZigZag;

struct HuffmanTable {
    std::uint8_t classAndId;               // 0x00 DC luminance, 0x10 AC luminance, 0x01, 0x11
    std::array<std::uint8_t, 16> bits;     // number of codes of each length 1..16
    std::span<const std::uint8_t> values;  // HUFFVAL
};
// In the order they are written: 00, 10, 01, 11.
extern const std::array<HuffmanTable, 4> kHuffmanTables;

// cos((2x + 1)uπ/16) to 4 decimals, indexed [x][u].
extern const std::array<std::array<float, 8>, 8> kCosine;
// C(0) = 0.7071, C(u) = 1 otherwise.
extern const std::array<float, 8> kScale;

} // namespace capture::jpeg
