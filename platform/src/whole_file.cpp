#include "platform/whole_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <string>

namespace platform {

namespace {

constexpr int kNameAttempts = 100;

std::error_code LastError() { return {errno, std::generic_category()}; }

// A name of its own beside the target, opened exclusively so that no other file is written into.
int CreateTemporary(const std::filesystem::path& target, mode_t mode, std::string& name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = target.string() + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Flushes the folder too, so that the renamed entry survives pulling the card or a crash.
void SyncFolderOf(const std::filesystem::path& target) {
    const std::filesystem::path parent = target.parent_path();
    const int fd = ::open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

std::error_code WriteWholeFile(const std::filesystem::path& target, std::string_view bytes,
                               const WholeFileOptions& options) {
    std::string temporary;
    const int fd = CreateTemporary(target, options.mode, temporary);
    if (fd < 0) return LastError();

    const std::size_t length = std::min(bytes.size(), options.stopAfter.value_or(bytes.size()));
    std::error_code error;
    if (!WriteAll(fd, bytes.data(), length))
        error = LastError();
    else if (options.stopAfter)
        error = std::make_error_code(std::errc::io_error);
    else if (::fsync(fd) != 0)
        error = LastError();
    if (::close(fd) != 0 && !error) error = LastError();
    if (!error && ::rename(temporary.c_str(), target.c_str()) != 0) error = LastError();
    if (error) {
        ::unlink(temporary.c_str());
        return error;
    }
    SyncFolderOf(target);
    return {};
}

} // namespace platform
