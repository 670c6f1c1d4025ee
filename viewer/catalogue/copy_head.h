#pragma once
// What an exported copy holds at offset 0: the standard file-type box (24 bytes, major brand
// mp42, compatible brands mp42 and isom) in place of the recording's own first box. No byte
// moves, so the chunk offsets of the recording's index stay right.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace catalogue {

inline constexpr std::size_t kFileTypeBoxBytes = 24;
// The most of a source's head the rewrite looks at.
inline constexpr std::size_t kCopyHeadBytes = 32;

// The box, converted two hexadecimal digits at a time from its text.
const std::array<std::uint8_t, kFileTypeBoxBytes>& FileTypeBox();

// Rewrites in place the first bytes of a copy (head: the source's first min(size, 32) bytes):
// - a 24-byte "ftyp", or a first box of another type (a scrambled recording): the box over
//   bytes 0-23;
// - an "ftyp" of 32 bytes or more: the box, then at 24 a "free" header of (old size - 24) bytes,
//   so that the rest of the old box is that box's payload;
// - anything else (an "ftyp" with size 0, 1, below 24 or 25-31; fewer than 24 bytes; a large
//   "ftyp" in a head shorter than 32 bytes): unchanged.
void RewriteCopyHead(std::span<std::uint8_t> head);

} // namespace catalogue
