#pragma once
// MP4-style boxes built byte by byte, for tests of code that walks them: a 32-bit big-endian
// size that counts the 8-byte header, the four-character type, then the payload.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
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

inline Bytes ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// What a clip export puts at the head of a copy: size 24, "ftyp", major brand mp42, minor
// version 0, compatible brands mp42 and isom.
inline const Bytes kStandardFileTypeBox = {0x00, 0x00, 0x00, 0x18, 'f', 't', 'y', 'p', 'm', 'p', '4', '2',
                                           0x00, 0x00, 0x00, 0x00, 'm', 'p', '4', '2', 'i', 's', 'o', 'm'};

} // namespace tripdesk::test
