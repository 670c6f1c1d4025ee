#include "player/tarn_udat.h"

#include <algorithm>

#include "mp4/big_endian.h"

namespace player {

namespace {

constexpr std::uint64_t kHeaderBytes = 8;   // size and type (box) or size and tag (chunk)

// The three chunks in the order they follow each other, with the tags each may carry and the
// result when it does not.
struct ChunkRule {
    std::uint32_t tag;
    std::uint32_t alternativeTag;
    TarnUDAT::ParseResult failure;
};
constexpr ChunkRule kChunkRules[3] = {
    {mp4::FourCC("TIME"), mp4::FourCC("RTCD"), TarnUDAT::kBadTimeChunk},
    {mp4::FourCC("GPSI"), mp4::FourCC("GPSI"), TarnUDAT::kBadGpsChunk},
    {mp4::FourCC("SENS"), mp4::FourCC("SENS"), TarnUDAT::kBadSensorChunk},
};

} // namespace

void TarnUDAT::SetBox(const std::uint8_t* box, std::size_t length) {
    box_ = box;
    length_ = box ? length : 0;
}

int TarnUDAT::Parse() {
    failed_ = true;
    for (Chunk& chunk : chunks_) chunk = Chunk{};
    if (!box_ || length_ < kHeaderBytes) return kNoBox;
    boxSize_ = mp4::ReadBigEndian32(box_);
    boxType_ = mp4::ReadBigEndian32(box_ + 4);

    std::uint64_t offset = kHeaderBytes;   // 64-bit: sizes up to 2^32 each cannot wrap it
    for (int i = 0; i < 3; ++i) {
        const ChunkRule& rule = kChunkRules[i];
        if (offset + kHeaderBytes > length_) return rule.failure;
        const std::uint32_t size = mp4::ReadBigEndian32(box_ + offset);
        const std::uint32_t tag = mp4::ReadBigEndian32(box_ + offset + 4);
        if (tag != rule.tag && tag != rule.alternativeTag) return rule.failure;
        chunks_[i] = Chunk{size, tag, static_cast<std::size_t>(offset + kHeaderBytes)};
        offset += size;
    }
    failed_ = false;
    return kParsed;
}

const std::uint8_t* TarnUDAT::Entry(const Chunk& chunk, std::size_t entryBytes, std::uint32_t n,
                                    std::uint64_t bound) const {
    if (failed_ || n >= EntryCount()) return nullptr;
    const std::uint64_t begin = chunk.firstEntry + std::uint64_t{n} * entryBytes;
    if (begin + entryBytes > bound) return nullptr;
    return box_ + begin;
}

const std::uint8_t* TarnUDAT::GpsEntry(std::uint32_t n) const {
    return Entry(GpsChunk(), kGpsEntryBytes, n, std::min<std::uint64_t>(boxSize_, length_));
}

const std::uint8_t* TarnUDAT::GSensorEntry(std::uint32_t n) const {
    return Entry(GSensorChunk(), kGSensorEntryBytes, n, length_);
}

} // namespace player
