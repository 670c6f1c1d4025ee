#pragma once
// Where box headers are read from: a byte range in memory or a regular file.

#include <cstdint>
#include <span>
#include <string>

#include "platform/read_only_file.h"

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

// A regular file opened for reading (never blocking, nothing but a regular file).
class FileSource final : public ByteSource {
public:
    enum class Status { Open, CannotOpen, NotARegularFile, NoSize };

    explicit FileSource(const std::string& path);

    Status status() const { return status_; }
    bool IsOpen() const { return status_ == Status::Open; }
    std::uint64_t Size() const override { return file_.size(); }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override;

private:
    platform::ReadOnlyFile file_;
    Status status_ = Status::CannotOpen;
};

} // namespace mp4
