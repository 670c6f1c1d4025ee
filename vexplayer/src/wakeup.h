#pragma once
// Wakes the player thread: commands, decoded pictures and finished decoders all notify it, and
// it sleeps until the next picture is due or until notified, whichever comes first.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace vexplayer {

class Wakeup {
public:
    using Clock = std::chrono::steady_clock;

    // Any thread.
    void notify();
    // Player thread: returns at the deadline or as soon as notify() was called since the last
    // return.
    void waitUntil(Clock::time_point deadline);

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool signalled_ = false;
};

} // namespace vexplayer
