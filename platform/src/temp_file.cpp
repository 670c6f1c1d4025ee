#include "platform/temp_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

namespace platform {

namespace {

constexpr int kNameAttempts = 100;
constexpr char kNameCharacters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

std::string RandomSuffix(std::mt19937& random) {
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kNameCharacters - 2);
    std::string suffix = "-";
    for (int i = 0; i < 6; ++i) suffix += kNameCharacters[pick(random)];
    return suffix;
}

} // namespace

TempFile::TempFile(const std::string& folder, const std::string& name) {
    std::string stem = folder;
    if (!stem.empty() && stem.back() != '/') stem += '/';
    stem += name;
    std::mt19937 random(std::random_device{}());
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        path_ = stem + RandomSuffix(random);
        // O_EXCL with 0666: the kernel applies the umask, unlike mkstemp's fixed 0600.
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) return;
        if (errno != EEXIST) break;
    }
    error_ = errno;
    path_.clear();
}

TempFile::~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !path_.empty()) ::unlink(path_.c_str());
}

void TempFile::Fail(int errorNumber) {
    if (error_ == 0) error_ = errorNumber;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool TempFile::Write(const std::uint8_t* data, std::size_t size) {
    if (fd_ < 0) return false;
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            Fail(n == 0 ? EIO : errno);
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool TempFile::CommitTo(const std::string& target) {
    if (fd_ < 0) return false;
    const int fd = fd_;
    fd_ = -1;
    // A delayed write error (a full disk, an NFS server) shows up only here.
    if (::close(fd) != 0) {
        Fail(errno);
        return false;
    }
    if (::rename(path_.c_str(), target.c_str()) != 0) {
        Fail(errno);
        return false;
    }
    committed_ = true;
    return true;
}

} // namespace platform
