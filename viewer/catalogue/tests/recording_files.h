#pragma once
// Files for the scan and container tests: recordings with a chosen box layout.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "test_folders.h"

namespace catalogue::test {

using tripdesk::test::FreshFolder;

// A box header with a declared size (true or not), followed by payloadBytes zero bytes.
inline std::string BoxDeclaring(std::uint32_t declaredSize, const char* type, std::size_t payloadBytes) {
    std::string bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<char>((declaredSize >> shift) & 0xFF));
    bytes.append(type, 4);
    bytes.append(payloadBytes, '\0');
    return bytes;
}

// One box: 32-bit big-endian size, the type, then zero bytes up to the size.
inline std::string Box(const char* type, std::uint32_t size) { return BoxDeclaring(size, type, size - 8); }

// The recorder's layout: a 24-byte ftyp, then mdat and moov.
inline std::string CompleteRecording() { return Box("ftyp", 24) + Box("mdat", 64) + Box("moov", 32); }

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace catalogue::test
