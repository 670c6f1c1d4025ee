#include "wakeup.h"

namespace vexplayer {

void Wakeup::notify() {
    {
        std::lock_guard lock(mutex_);
        signalled_ = true;
    }
    cv_.notify_all();
}

void Wakeup::waitUntil(Clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    cv_.wait_until(lock, deadline, [this] { return signalled_; });
    signalled_ = false;
}

} // namespace vexplayer
