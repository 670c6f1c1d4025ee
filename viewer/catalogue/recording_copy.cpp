#include "catalogue/recording_copy.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "catalogue/copy_head.h"
#include "platform/read_only_file.h"
#include "platform/temp_file.h"

namespace catalogue {

namespace {

constexpr std::string_view kRecordingEnding = ".mp4";

// Reads up to size bytes; returns the count (0 at the end) or -1 with errno set.
ssize_t ReadSome(int fd, std::uint8_t* data, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd, data, size);
        if (n >= 0 || errno != EINTR) return n;
    }
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

CopyResult Failed(CopyStep step, int error) { return {step, error}; }

} // namespace

std::string TemporaryNameFor(const std::string& destination) {
    const std::size_t slash = destination.rfind('/');
    std::string name = slash == std::string::npos ? destination : destination.substr(slash + 1);
    if (name.ends_with(kRecordingEnding)) name.resize(name.size() - kRecordingEnding.size());
    std::replace(name.begin(), name.end(), '.', '_');
    return "." + name + ".part";
}

CopyResult CopyRecording(const std::string& source, const std::string& destination) {
    platform::ReadOnlyFile in(source);
    if (!in.isOpen()) return Failed(CopyStep::OpenSource, in.error() != 0 ? in.error() : EINVAL);
    ::posix_fadvise(in.fd(), 0, 0, POSIX_FADV_SEQUENTIAL);

    platform::TempFile out(FolderOf(destination), TemporaryNameFor(destination));
    if (!out.isOpen()) return Failed(CopyStep::CreateTemporary, out.error());

    std::vector<std::uint8_t> buffer(kCopyBufferBytes);
    // The head is read whole before anything is written: its rewrite needs all its bytes.
    std::size_t filled = 0;
    bool atEnd = false;
    while (filled < kCopyHeadBytes && !atEnd) {
        const ssize_t n = ReadSome(in.fd(), buffer.data() + filled, buffer.size() - filled);
        if (n < 0) return Failed(CopyStep::Read, errno);
        atEnd = n == 0;
        filled += static_cast<std::size_t>(n);
    }
    RewriteCopyHead(std::span(buffer.data(), std::min(filled, kCopyHeadBytes)));
    while (filled > 0) {
        if (!out.Write(buffer.data(), filled)) return Failed(CopyStep::Write, out.error());
        if (atEnd) break;
        const ssize_t n = ReadSome(in.fd(), buffer.data(), buffer.size());
        if (n < 0) return Failed(CopyStep::Read, errno);
        filled = static_cast<std::size_t>(n);
    }
    if (!out.CommitTo(destination)) return Failed(CopyStep::Close, out.error());
    return {};
}

} // namespace catalogue
