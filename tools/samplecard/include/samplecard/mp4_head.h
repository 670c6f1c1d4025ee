#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace samplecard {

// Where a top-level box lies in a file: offset of its header and its whole size.
struct BoxExtent {
  std::string type;
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
};

// Top-level boxes in file order (32-bit, 64-bit and to-end sizes); none when a box header is cut
// or a size runs past the end.
std::optional<std::vector<BoxExtent>> topLevelBoxes(std::span<const std::uint8_t> file);

// The recorder's 24-byte "ftyp": major brand, minor version, two compatible brands.
struct FileType {
  std::string majorBrand;  // four characters
  std::uint32_t minorVersion = 0;
  std::string compatibleBrand1;
  std::string compatibleBrand2;
};
inline constexpr std::size_t kRecorderFileTypeBytes = 24;
std::vector<std::uint8_t> recorderFileType(const FileType& fileType);

enum class BoxOrder {
  MediaFirst,  // ftyp mdat moov: what the recorder writes
  IndexFirst,  // ftyp moov mdat
};

// Turns a file of FFmpeg's MP4 muxer (ftyp free mdat moov) into the recorder's layout: the given
// 24-byte ftyp, then mdat and moov in the given order, nothing else. Every stco/co64 chunk offset
// is moved by the distance the media moved. None when the input is not one mdat and one moov
// whose chunk offsets all point into that mdat.
std::optional<std::vector<std::uint8_t>> rewriteHead(std::span<const std::uint8_t> muxed,
                                                     const FileType& fileType, BoxOrder order);

// The file up to the start of its "moov": a recording cut before its index was written.
std::optional<std::vector<std::uint8_t>> cutBeforeIndex(std::span<const std::uint8_t> file);

// XORs the first box's 24 bytes with the key repeated big-endian: the first box is then no
// "ftyp", and XOR of its size field with the key gives the size back.
void scrambleFirstBox(std::span<std::uint8_t> file, std::uint32_t key);

}  // namespace samplecard
