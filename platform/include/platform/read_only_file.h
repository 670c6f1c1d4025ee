#pragma once
// A file opened for reading by whoever reads what a user or a card put on disk. Opening never
// blocks and refuses what is not a regular file, so that a FIFO or a device in a file's place
// cannot hang its reader.

#include <cstdint>
#include <string>

namespace platform {

class ReadOnlyFile {
public:
    enum class Status { Open, Missing, CannotOpen, NotARegularFile, NoSize };

    explicit ReadOnlyFile(const std::string& path);
    ~ReadOnlyFile();
    ReadOnlyFile(ReadOnlyFile&& other) noexcept;
    ReadOnlyFile& operator=(ReadOnlyFile&& other) noexcept;
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    Status status() const { return status_; }
    bool isOpen() const { return status_ == Status::Open; }
    // The errno of a failed open or stat, 0 otherwise.
    int error() const { return error_; }
    std::uint64_t size() const { return size_; }
    int fd() const { return fd_; }
    // Hands the descriptor to the caller, who then closes it.
    int release();

private:
    int fd_ = -1;
    Status status_ = Status::CannotOpen;
    int error_ = 0;
    std::uint64_t size_ = 0;
};

} // namespace platform
