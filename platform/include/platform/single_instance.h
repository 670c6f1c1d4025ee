#pragma once
// The named-mutex stand-in: an exclusive lock on a file named after the mutex in
// $XDG_RUNTIME_DIR. The kernel drops the lock when its process dies, so a stale file of a dead
// process is simply taken over.

#include <string>

namespace platform {

class NamedMutex {
public:
    explicit NamedMutex(const std::string& name);
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // True when another process (or another NamedMutex of this process) holds the name.
    bool alreadyExists() const { return alreadyExists_; }
    // True when this object holds the lock.
    bool owned() const { return fd_ >= 0; }
    void Close();

    static std::string LockFilePath(const std::string& name);

private:
    int fd_ = -1;
    bool alreadyExists_ = false;
};

} // namespace platform
