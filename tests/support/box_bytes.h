#pragma once
// MP4-style boxes built byte by byte, for tests of code that walks them: a 32-bit big-endian
// size that counts the 8-byte header, the four-character type, then the payload.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <vector>

namespace tripdesk::test {

using Bytes = std::vector<std::uint8_t>;

// The low `bytes` bytes of value, most significant first, appended to out.
inline void AppendBigEndian(Bytes& out, std::uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// value as four big-endian bytes over bytes[offset, offset + 4).
inline void StoreBigEndian32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

inline Bytes Box(const char* type, const Bytes& payload) {
    Bytes box;
    AppendBigEndian(box, 8 + payload.size(), 4);
    box.insert(box.end(), type, type + 4);
    box.insert(box.end(), payload.begin(), payload.end());
    return box;
}

inline void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace tripdesk::test
