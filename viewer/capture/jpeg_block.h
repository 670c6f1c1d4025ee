#pragma once
// One 8 × 8 block: the direct forward DCT in the fixed float arithmetic that keeps the bytes
// independent of the build (this file is compiled with -ffp-contract=off), then zig-zag order and
// quantisation truncating toward zero.

#include <array>
#include <cstdint>

namespace capture::jpeg {

using SampleBlock = std::array<std::int16_t, 64>;       // f(y, x) at y * 8 + x, level-shifted
using CoefficientBlock = std::array<std::int32_t, 64>;  // F(v, u) at v * 8 + u

// Per (v, u): acc = acc + (f(y, x) × cos(x, u)) × cos(y, v) over y, x; F = C(u) C(v) / 4 × acc,
// truncated. The plain double loop, the reference of the arithmetic.
CoefficientBlock ForwardDct(const SampleBlock& samples);

// The same float operations in the same order for each coefficient, arranged for speed: the
// products f(y, x) × cos(x, u) are formed once per u and reused for every v, and the eight
// accumulators of one u run side by side. Its results equal ForwardDct's bit for bit.
CoefficientBlock ForwardDctSideBySide(const SampleBlock& samples);

// The block's coefficients in zig-zag order, each divided by the table entry at its position.
std::array<std::int16_t, 64> Quantise(const CoefficientBlock& coefficients,
                                      const std::array<std::uint8_t, 64>& zigZagTable);

} // namespace capture::jpeg
