#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

#include "mp4/big_endian.h"

// Big-endian fields of MP4 boxes, written into and read from byte vectors.
namespace samplecard::bytes {

inline void appendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(value >> shift));
}

// Shorter codes are padded with blanks, longer ones cut to four characters.
inline void appendFourCC(std::vector<std::uint8_t>& out, std::string_view fourcc) {
  for (std::size_t i = 0; i < 4; ++i)
    out.push_back(i < fourcc.size() ? std::uint8_t(fourcc[i]) : ' ');
}

inline std::uint32_t readU32(std::span<const std::uint8_t> data, std::size_t at) {
  return mp4::ReadBigEndian32(data.subspan(at, 4).data());
}

inline std::uint64_t readU64(std::span<const std::uint8_t> data, std::size_t at) {
  return mp4::ReadBigEndian64(data.subspan(at, 8).data());
}

inline void writeU32(std::span<std::uint8_t> data, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) data[at + std::size_t(i)] = std::uint8_t(value >> (24 - 8 * i));
}

inline void writeU64(std::span<std::uint8_t> data, std::size_t at, std::uint64_t value) {
  writeU32(data, at, std::uint32_t(value >> 32));
  writeU32(data, at + 4, std::uint32_t(value));
}

inline bool typeIs(std::span<const std::uint8_t> data, std::size_t at, std::string_view fourcc) {
  return std::memcmp(data.data() + at, fourcc.data(), 4) == 0;
}

}  // namespace samplecard::bytes
