#include "platform/read_only_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace platform {

ReadOnlyFile::ReadOnlyFile(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) return;
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
        error_ = errno;
        status_ = error_ == ENOENT ? Status::Missing : Status::CannotOpen;
        return;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        error_ = errno;
        status_ = Status::NoSize;
    } else if (!S_ISREG(info.st_mode)) {
        status_ = Status::NotARegularFile;
    } else if (info.st_size < 0) {
        status_ = Status::NoSize;
    } else {
        size_ = static_cast<std::uint64_t>(info.st_size);
        status_ = Status::Open;
        return;
    }
    ::close(fd_);
    fd_ = -1;
}

ReadOnlyFile::~ReadOnlyFile() {
    if (fd_ >= 0) ::close(fd_);
}

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept { *this = std::move(other); }

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        status_ = std::exchange(other.status_, Status::CannotOpen);
        error_ = other.error_;
        size_ = other.size_;
    }
    return *this;
}

int ReadOnlyFile::release() { return std::exchange(fd_, -1); }

} // namespace platform
