#include "catalogue/container_check.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace catalogue {
namespace {

constexpr std::array<std::string_view, 3> kBoxOrder{"ftyp", "mdat", "moov"};
constexpr std::uint64_t kHeaderSize = 8;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

bool readFully(int fd, unsigned char* out, std::size_t count, std::uint64_t offset) {
    std::size_t done = 0;
    while (done < count) {
        const auto at = static_cast<off_t>(offset + done);
        const ssize_t got = ::pread(fd, out + done, count - done, at);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

std::uint64_t bigEndian32(const unsigned char* bytes) {
    return (std::uint64_t{bytes[0]} << 24) | (std::uint64_t{bytes[1]} << 16) |
           (std::uint64_t{bytes[2]} << 8) | std::uint64_t{bytes[3]};
}

} // namespace

ContainerCheck CheckContainer(const std::string& path) {
    if (path.find('\0') != std::string::npos) return ContainerCheck::NotValid;
    // Non-blocking so that a FIFO with a recording's name cannot hang the scan.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) return ContainerCheck::NotValid;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return ContainerCheck::NotValid;
    const std::uint64_t fileSize = static_cast<std::uint64_t>(info.st_size);

    std::uint64_t position = 0;
    std::array<unsigned char, kHeaderSize> header{};
    for (std::string_view expected : kBoxOrder) {
        if (position >= fileSize) return ContainerCheck::NotValid;
        if (!readFully(file.get(), header.data(), header.size(), position))
            return ContainerCheck::NotValid;  // a box that ran past the end
        if (std::memcmp(header.data() + 4, expected.data(), 4) != 0)
            return ContainerCheck::OutOfOrder;
        const std::uint64_t size = bigEndian32(header.data());
        if (expected == "moov") {
            // The index must be whole: size 0 means "to the end of the file".
            const bool whole = size == 0 || (size >= kHeaderSize && size <= fileSize - position);
            return whole ? ContainerCheck::Valid : ContainerCheck::NotValid;
        }
        // Size 1 announces a 64-bit size after the type; the recorder never writes it, and it
        // counts as a size below the header's, which would not advance the walk.
        if (size < kHeaderSize) return ContainerCheck::NotValid;
        position += size;
    }
    return ContainerCheck::NotValid;
}

} // namespace catalogue
