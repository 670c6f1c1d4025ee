#pragma once
// A recording file opened for reading at any offset. In the encryption view mode the recorder's
// first box is stored XORed with the viewer's 32-bit key (repeated, most significant byte first);
// such a box is read back in the clear, so that every reader sees a plain MP4.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vexplayer {

class RecordingInput {
public:
    // Nothing when the path is not a readable, non-empty regular file.
    static std::optional<RecordingInput> open(const std::string& path,
                                              std::optional<std::uint32_t> scrambleKey);
    RecordingInput(RecordingInput&& other) noexcept;
    RecordingInput& operator=(RecordingInput&& other) noexcept;
    RecordingInput(const RecordingInput&) = delete;
    RecordingInput& operator=(const RecordingInput&) = delete;
    ~RecordingInput();

    std::int64_t size() const { return size_; }
    // Bytes read (fewer at the end of the file, 0 past the end), or -1 on a read error.
    std::int64_t readAt(std::int64_t offset, std::span<std::uint8_t> out) const;
    // Whether the first box (after unscrambling) is "ftyp", as every recording starts.
    bool startsWithFileType() const { return startsWithFileType_; }

private:
    RecordingInput(int fd, std::int64_t size) : fd_(fd), size_(size) {}
    void detectFirstBox(std::optional<std::uint32_t> scrambleKey);

    int fd_ = -1;
    std::int64_t size_ = 0;
    std::uint32_t key_ = 0;
    std::int64_t scrambledBytes_ = 0;
    bool startsWithFileType_ = false;
};

} // namespace vexplayer
