#include "mp4/byte_source.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace mp4 {

bool MemorySource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
    if (offset > bytes_.size() || out.size() > bytes_.size() - offset) return false;
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return true;
}

FileSource::FileSource(const std::string& path) : file_(path) {
    switch (file_.status()) {
    case platform::ReadOnlyFile::Status::Open: status_ = Status::Open; break;
    case platform::ReadOnlyFile::Status::NotARegularFile: status_ = Status::NotARegularFile; break;
    case platform::ReadOnlyFile::Status::NoSize: status_ = Status::NoSize; break;
    case platform::ReadOnlyFile::Status::Missing:
    case platform::ReadOnlyFile::Status::CannotOpen: status_ = Status::CannotOpen; break;
    }
}

bool FileSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
    if (!IsOpen()) return false;
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = ::pread(file_.fd(), out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

} // namespace mp4
