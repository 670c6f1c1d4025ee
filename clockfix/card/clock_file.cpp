#include "card/clock_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "card/card_messages.h"
#include "card/file_error_cause.h"
#include "platform/trace.h"

namespace card {
namespace {

int OpenForWriting(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

// Flushes the folder too, so that the new file's entry survives pulling the card.
bool SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    const int syncError = errno;
    ::close(fd);
    errno = syncError;
    return synced;
}

// Writes, flushes and closes; on failure errno tells why and the descriptor is closed.
bool FinishFile(int fd, const std::string& text, const std::string& folder) {
    const bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written) {
        errno = writeError;
        return false;
    }
    return closed && SyncFolder(folder);
}

SetClockResult Failed(int errorNumber) {
    const int cause = FileErrorCause(errorNumber);
    platform::Trace("Error : %d \n", cause);
    return {0, cause};
}

} // namespace

SetClockResult SetClock(const std::string& mountPoint, const ClockBoxes& boxes) {
    const auto time = ReadClockBoxes(boxes);
    if (!time) return {kInvalidDateTimeMessage, 0};

    const std::string folder = mountPoint + "/Setup";
    const std::string path = folder + "/clockfix.dat";
    int fd = OpenForWriting(path);
    if (fd < 0) {
        ::mkdir(folder.c_str(), 0777);
        fd = OpenForWriting(path);
    }
    if (fd < 0) return Failed(errno);
    if (!FinishFile(fd, ClockFileText(*time), folder)) {
        const int error = errno;
        ::unlink(path.c_str());
        return Failed(error);
    }
    return {kSettingsChangedMessage, 0};
}

} // namespace card
