#include "mp4/box_walker.h"

#include <array>

#include "mp4/big_endian.h"

namespace mp4 {

namespace {

constexpr std::uint32_t kCompactHeaderBytes = 8;
constexpr std::uint32_t kLargeHeaderBytes = 16;

} // namespace

BoxWalker::BoxWalker(const ByteSource& source, SizeRule rule, std::uint64_t begin, std::uint64_t end)
    : source_(source), rule_(rule), position_(begin), end_(end < source.Size() ? end : source.Size()) {}

BoxWalker::Step BoxWalker::Next() {
    if (started_) {
        if (box_.sizeBelowHeader) return Step::BadSize;
        if (box_.reachesPastEnd) return Step::HeaderPastEnd;
        position_ = box_.offset + box_.size;   // cannot wrap: the box lies inside the run
    }
    started_ = true;
    box_ = BoxHeader{};
    box_.offset = position_;
    box_.sizeBelowHeader = true;   // until a whole header has been read
    if (position_ == end_) return Step::End;
    const std::uint64_t left = end_ - position_;
    if (position_ > end_ || left < kCompactHeaderBytes) return Step::HeaderPastEnd;

    std::array<std::uint8_t, kLargeHeaderBytes> header{};
    if (!source_.ReadAt(position_, std::span(header).first(kCompactHeaderBytes))) return Step::ReadFailed;
    const std::uint32_t sizeField = ReadBigEndian32(header.data());
    box_.type = ReadBigEndian32(header.data() + 4);
    box_.size = sizeField;
    if (rule_ == SizeRule::Extended && sizeField == 1) {
        if (left < kLargeHeaderBytes) return Step::HeaderPastEnd;
        if (!source_.ReadAt(position_ + kCompactHeaderBytes, std::span(header).subspan(kCompactHeaderBytes)))
            return Step::ReadFailed;
        box_.headerBytes = kLargeHeaderBytes;
        box_.size = ReadBigEndian64(header.data() + kCompactHeaderBytes);
    } else if (rule_ == SizeRule::Extended && sizeField == 0) {
        box_.size = left;
    }
    box_.sizeBelowHeader = box_.size < box_.headerBytes;
    box_.reachesPastEnd = box_.size > left;
    return Step::Box;
}

} // namespace mp4
