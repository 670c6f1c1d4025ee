#pragma once
// The walk over a run of boxes (the top level of a file, or the contents of one box). Each box
// starts with a 32-bit big-endian size that counts the whole box and a four-character type.
// A header that does not lie wholly inside the run, and a size below the header's own, are
// damage that ends the walk; a box is still reported with its type when its size is damaged,
// so that a caller whose walk ends at a certain type decides for itself.

#include <cstdint>

#include "mp4/big_endian.h"
#include "mp4/byte_source.h"

namespace mp4 {

enum class SizeRule {
    // The recorder's files: every size is the 32-bit field; 0 and 1 are sizes below the header.
    Compact,
    // ISO base media files in general: size 1 announces a 64-bit size after the type (a 16-byte
    // header), size 0 a box that runs to the end of the run.
    Extended,
};

struct BoxHeader {
    std::uint64_t offset = 0;       // of the box's first byte in the source
    std::uint64_t size = 0;         // the whole box as its header says, header included
    std::uint32_t headerBytes = 8;  // 16 with a 64-bit size
    std::uint32_t type = 0;         // the four characters, the first one most significant
    bool sizeBelowHeader = false;   // damage: the walk cannot go past this box
    bool reachesPastEnd = false;    // the size claims more than the run holds

    std::uint64_t contentOffset() const { return offset + headerBytes; }
    // One past the box's last byte inside the run.
    std::uint64_t endInside(std::uint64_t runEnd) const { return reachesPastEnd ? runEnd : offset + size; }
};

class BoxWalker {
public:
    enum class Step {
        Box,            // box() holds the next box
        End,            // the last box ended exactly at the end of the run
        HeaderPastEnd,  // the next header would not lie wholly inside the run
        BadSize,        // the box before had a size below its header
        ReadFailed,
    };

    // The boxes of source[begin, end).
    BoxWalker(const ByteSource& source, SizeRule rule, std::uint64_t begin, std::uint64_t end);
    // The top-level boxes of the whole source.
    BoxWalker(const ByteSource& source, SizeRule rule) : BoxWalker(source, rule, 0, source.Size()) {}

    // Moves past the box reported last and reads the next header.
    Step Next();
    const BoxHeader& box() const { return box_; }
    std::uint64_t runEnd() const { return end_; }

private:
    const ByteSource& source_;
    SizeRule rule_;
    std::uint64_t position_;
    std::uint64_t end_;
    bool started_ = false;
    BoxHeader box_;
};

} // namespace mp4
