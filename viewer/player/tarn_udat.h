#pragma once
// Index over a copy of a recording's "udat" box: a time chunk ("TIME" or "RTCD"), a GPS chunk
// ("GPSI", 128-byte NMEA entries) and a G-sensor chunk ("SENS", 12-byte entries: X, Y, Z as
// little-endian floats in g). Entry n of every chunk belongs to the same step of the recording.
//
// The box bytes are not owned and must outlive the parser's use. Parse and the lookups never read
// outside [box, box + length), whatever the sizes inside claim. After Parse the parser is only read,
// except for the entry count, which may be set from any thread.

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace player {

class TarnUDAT {
public:
    enum ParseResult : int {
        kParsed = 0,
        kNoBox = 1,          // no box given, or shorter than its 8-byte header
        kBadTimeChunk = 2,   // the first chunk is not "TIME" / "RTCD" (or lies outside the copy)
        kBadGpsChunk = 3,    // the second chunk is not "GPSI"
        kBadSensorChunk = 4, // the third chunk is not "SENS"
    };
    static constexpr std::uint32_t kUnknownEntryCount = 0xFFFFFFFFu;
    static constexpr std::size_t kGpsEntryBytes = 128;
    static constexpr std::size_t kGSensorEntryBytes = 12;

    struct Chunk {
        std::uint32_t size = 0;        // as stored, including the 8-byte chunk header
        std::uint32_t tag = 0;
        std::size_t firstEntry = 0;    // offset of the first entry inside the box
    };

    void SetBox(const std::uint8_t* box, std::size_t length);
    // Indexes the box; the failed flag becomes 1 on any error and 0 on success.
    int Parse();
    // True until a Parse succeeds: the file has no usable user data.
    bool Failed() const { return failed_; }

    void SetEntryCount(std::uint32_t count) { entryCount_.store(count, std::memory_order_relaxed); }
    std::uint32_t EntryCount() const { return entryCount_.load(std::memory_order_relaxed); }

    // Entry n, or nullptr when n is not below the entry count, the box is not parsed, or the entry
    // does not lie wholly inside the box: for GPS both the box size field and the copy bound it,
    // for the G-sensor the copy.
    const std::uint8_t* GpsEntry(std::uint32_t n) const;
    const std::uint8_t* GSensorEntry(std::uint32_t n) const;

    std::uint32_t BoxSize() const { return boxSize_; }
    std::uint32_t BoxType() const { return boxType_; }
    const Chunk& TimeChunk() const { return chunks_[0]; }
    const Chunk& GpsChunk() const { return chunks_[1]; }
    const Chunk& GSensorChunk() const { return chunks_[2]; }

private:
    const std::uint8_t* Entry(const Chunk& chunk, std::size_t entryBytes, std::uint32_t n,
                              std::uint64_t bound) const;

    const std::uint8_t* box_ = nullptr;
    std::size_t length_ = 0;
    bool failed_ = true;   // nothing read yet
    std::uint32_t boxSize_ = 0;
    std::uint32_t boxType_ = 0;
    Chunk chunks_[3];
    std::atomic<std::uint32_t> entryCount_{kUnknownEntryCount};
};

} // namespace player
