#include "recording_input.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

#include "mp4/big_endian.h"
#include "platform/read_only_file.h"

namespace vexplayer {

namespace {

constexpr std::int64_t kLargestFileTypeBox = 4096;

std::uint8_t KeyByte(std::uint32_t key, std::int64_t offset) {
    return static_cast<std::uint8_t>(key >> (24 - 8 * (offset % 4)));
}

bool IsFileType(const std::uint8_t* header) { return std::memcmp(header + 4, "ftyp", 4) == 0; }

} // namespace

std::optional<RecordingInput> RecordingInput::open(const std::string& path,
                                                   std::optional<std::uint32_t> scrambleKey) {
    platform::ReadOnlyFile file(path);
    if (!file.isOpen() || file.size() == 0) return std::nullopt;
    const auto size = static_cast<std::int64_t>(file.size());
    const int fd = file.release();
    RecordingInput input(fd, size);
    input.detectFirstBox(scrambleKey);
    return input;
}

RecordingInput::RecordingInput(RecordingInput&& other) noexcept { *this = std::move(other); }

RecordingInput& RecordingInput::operator=(RecordingInput&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        size_ = other.size_;
        key_ = other.key_;
        scrambledBytes_ = other.scrambledBytes_;
        startsWithFileType_ = other.startsWithFileType_;
    }
    return *this;
}

RecordingInput::~RecordingInput() {
    if (fd_ >= 0) ::close(fd_);
}

void RecordingInput::detectFirstBox(std::optional<std::uint32_t> scrambleKey) {
    std::array<std::uint8_t, 8> header{};
    if (readAt(0, header) != static_cast<std::int64_t>(header.size())) return;
    startsWithFileType_ = IsFileType(header.data());
    if (startsWithFileType_ || !scrambleKey) return;
    std::array<std::uint8_t, 8> clear{};
    for (std::size_t i = 0; i < header.size(); ++i)
        clear[i] = header[i] ^ KeyByte(*scrambleKey, static_cast<std::int64_t>(i));
    const std::int64_t boxSize = mp4::ReadBigEndian32(clear.data());
    if (!IsFileType(clear.data()) || boxSize < 8 || boxSize > std::min(size_, kLargestFileTypeBox))
        return;
    key_ = *scrambleKey;
    scrambledBytes_ = boxSize;
    startsWithFileType_ = true;
}

std::int64_t RecordingInput::readAt(std::int64_t offset, std::span<std::uint8_t> out) const {
    if (offset < 0 || offset >= size_ || out.empty()) return 0;
    std::int64_t done = 0;
    const auto wanted = static_cast<std::int64_t>(out.size());
    while (done < wanted) {
        const ssize_t n = ::pread(fd_, out.data() + done, static_cast<std::size_t>(wanted - done),
                                  static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        done += n;
    }
    for (std::int64_t at = offset; at < scrambledBytes_ && at < offset + done; ++at)
        out[static_cast<std::size_t>(at - offset)] ^= KeyByte(key_, at);
    return done;
}

} // namespace vexplayer
