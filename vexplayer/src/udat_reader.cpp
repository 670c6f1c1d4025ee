#include "udat_reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "mp4/big_endian.h"
#include "mp4/box_walker.h"
#include "recording_input.h"

namespace vexplayer {

namespace {

constexpr int kMaxBoxes = 100000;                     // ends a walk over a file of tiny boxes
constexpr std::uint32_t kMaxKeptTimes = 1u << 22;     // about 116 hours at 10 entries a second
constexpr std::int64_t kTimeEntryBytes = 4;
constexpr std::int64_t kGpsEntryBytes = 128;
constexpr std::int64_t kSensorEntryBytes = 12;

struct Span {
    std::int64_t begin = 0;   // first byte of the box's contents
    std::int64_t end = 0;     // one past its last byte inside the file
};

// The recording as the box walk reads it.
class InputSource final : public mp4::ByteSource {
public:
    explicit InputSource(const RecordingInput& input) : input_(input) {}
    std::uint64_t Size() const override { return static_cast<std::uint64_t>(input_.size()); }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        return input_.readAt(static_cast<std::int64_t>(offset), out) == static_cast<std::int64_t>(out.size());
    }

private:
    const RecordingInput& input_;
};

// The viewer's walk: 32-bit sizes, and the "udat" box is taken whatever its size says, its
// chunks starting right after its 8-byte header.
std::optional<Span> FindUserDataBox(const RecordingInput& input) {
    const InputSource source(input);
    mp4::BoxWalker walker(source, mp4::SizeRule::Compact);
    for (int box = 0; box < kMaxBoxes && walker.Next() == mp4::BoxWalker::Step::Box; ++box) {
        const mp4::BoxHeader& header = walker.box();
        if (header.type != mp4::FourCC("udat")) continue;
        const auto end = static_cast<std::int64_t>(header.endInside(walker.runEnd()));
        return Span{static_cast<std::int64_t>(header.contentOffset()), end};
    }
    return std::nullopt;
}

struct Chunk {
    std::int64_t entriesBegin = 0;
    std::int64_t entryCount = 0;
    std::int64_t next = 0;   // where the following chunk starts
};

std::optional<Chunk> ReadChunk(const RecordingInput& input, const Span& box, std::int64_t at,
                               std::initializer_list<const char*> tags, std::int64_t entryBytes) {
    if (at < box.begin || at + 8 > box.end) return std::nullopt;
    std::array<std::uint8_t, 8> header{};
    if (input.readAt(at, header) != 8) return std::nullopt;
    const bool tagMatches = std::any_of(tags.begin(), tags.end(), [&](const char* tag) {
        return std::memcmp(header.data() + 4, tag, 4) == 0;
    });
    const std::int64_t size = mp4::ReadBigEndian32(header.data());
    if (!tagMatches || size < 8) return std::nullopt;
    const std::int64_t contentEnd = std::min(at + size, box.end);
    return Chunk{at + 8, (contentEnd - at - 8) / entryBytes, at + size};
}

std::vector<std::uint32_t> ReadTimes(const RecordingInput& input, const Chunk& chunk,
                                     std::uint32_t count) {
    if (count == 0 || count > kMaxKeptTimes) return {};
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count) * kTimeEntryBytes);
    if (input.readAt(chunk.entriesBegin, bytes) != static_cast<std::int64_t>(bytes.size())) return {};
    std::vector<std::uint32_t> times(count);
    for (std::uint32_t i = 0; i < count; ++i) times[i] = mp4::ReadBigEndian32(&bytes[i * kTimeEntryBytes]);
    if (!std::is_sorted(times.begin(), times.end())) return {};
    return times;
}

} // namespace

std::optional<UserDataTable> ReadUserData(const RecordingInput& input) {
    const auto box = FindUserDataBox(input);
    if (!box) return std::nullopt;
    const auto times = ReadChunk(input, *box, box->begin, {"TIME", "RTCD"}, kTimeEntryBytes);
    if (!times) return std::nullopt;
    const auto gps = ReadChunk(input, *box, times->next, {"GPSI"}, kGpsEntryBytes);
    if (!gps) return std::nullopt;
    const auto sensors = ReadChunk(input, *box, gps->next, {"SENS"}, kSensorEntryBytes);
    if (!sensors) return std::nullopt;
    const std::int64_t entries =
        std::min({times->entryCount, gps->entryCount, sensors->entryCount, std::int64_t{UINT32_MAX - 1}});
    UserDataTable table;
    table.entryCount = static_cast<std::uint32_t>(entries);
    table.timesMs = ReadTimes(input, *times, table.entryCount);
    return table;
}

} // namespace vexplayer
