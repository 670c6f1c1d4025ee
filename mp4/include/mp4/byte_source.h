#pragma once
// Where box headers are read from: a byte range in memory or a regular file.

#include <cstdint>
#include <span>
#include <string>

namespace mp4 {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Reads exactly out.size() bytes at offset; false on an error or a short read.
    virtual bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override;

private:
    std::span<const std::uint8_t> bytes_;
};

// A regular file opened for reading. Opening never blocks and refuses what is not a regular
// file, so that a FIFO or a device with a recording's name cannot hang its reader.
class FileSource final : public ByteSource {
public:
    enum class Status { Open, CannotOpen, NotARegularFile, NoSize };

    explicit FileSource(const std::string& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    Status status() const { return status_; }
    bool IsOpen() const { return status_ == Status::Open; }
    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override;

private:
    int fd_ = -1;
    Status status_ = Status::CannotOpen;
    std::uint64_t size_ = 0;
};

} // namespace mp4
