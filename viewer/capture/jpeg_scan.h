#pragma once
// Huffman coding of one quantised block (zig-zag order) against its component's DC predictor.

#include <array>
#include <cstdint>

#include "capture/huffman_code.h"
#include "capture/jpeg_bit_writer.h"

namespace capture::jpeg {

// Number of bits of |value| (0 for 0).
unsigned MagnitudeCategory(std::int32_t value);

// DC: the size's code and the difference's low bits (difference - 1 when negative). AC: one 0xF0
// per full 16 zeros before a non-zero value, run × 16 + size and the value's bits, and the
// end-of-block code unless position 63 is non-zero. predictor is the component's previous DC.
void CodeBlock(BitWriter& writer, const std::array<std::int16_t, 64>& block, std::int32_t& predictor,
               const HuffmanCode& dc, const HuffmanCode& ac);

} // namespace capture::jpeg
