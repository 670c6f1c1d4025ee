#pragma once
// An auto-reset event: Set lets one Wait through and clears itself when that wait returns.
// Any thread may set it; the worker waits on it.

#include <condition_variable>
#include <mutex>

namespace player {

class AutoResetEvent {
public:
    void Set();
    void Reset();
    // Blocks until the event is set, then clears it.
    void Wait();
    bool IsSet() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable signalled_;
    bool set_ = false;
};

} // namespace player
