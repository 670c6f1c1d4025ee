#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/paths.h"
#include "platform/trace.h"

namespace platform {

namespace {

// Windows mutex names may hold characters a file name cannot ("Global\\..."): keep letters,
// digits, '.', '-' and '_', replace the rest.
std::string FileNameFor(const std::string& name) {
    std::string out;
    for (char c : name) {
        const bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                          c == '.' || c == '-' || c == '_';
        out += keep ? c : '_';
    }
    if (out.empty() || out.front() == '.') out.insert(out.begin(), '_');
    return out + ".lock";
}

} // namespace

std::string NamedMutex::LockFilePath(const std::string& name) {
    return (RuntimeDir() / FileNameFor(name)).string();
}

NamedMutex::NamedMutex(const std::string& name) {
    // Close-on-exec: a program started from here must not keep the name alive after we end.
    const std::string path = LockFilePath(name);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        // Without the file nothing shows another copy: the program starts as the only one.
        Trace("single instance: cannot create the lock file %s (%s)\n", path.c_str(), std::strerror(errno));
        return;
    }
    // Each NamedMutex opens its own file description, so a second one in this process conflicts
    // with the first just as another process would.
    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        fd_ = fd;
        return;
    }
    alreadyExists_ = errno == EWOULDBLOCK;
    ::close(fd);
}

NamedMutex::~NamedMutex() { Close(); }

void NamedMutex::Close() {
    if (fd_ < 0) return;
    // The file stays: removing it would let two processes lock two different files of one name.
    ::close(fd_);
    fd_ = -1;
}

} // namespace platform
