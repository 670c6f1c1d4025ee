#pragma once
// Bounded waits of the bridge, measured on the platform clock so that tests can fast-forward
// them and check how long was waited without depending on the machine's load.

#include <chrono>
#include <cstdint>

#include "platform/clock.h"

namespace player {

// Waits until done() or until limit has passed on the platform clock; true when done. Each round
// first gives other threads their turn through pause() (at most a millisecond of real time),
// then lets one millisecond pass on the platform clock.
template <typename Done, typename Pause>
bool WaitOnPlatformClock(std::chrono::milliseconds limit, Done done, Pause pause) {
    const std::uint64_t deadline = platform::TickCount() + static_cast<std::uint64_t>(limit.count());
    while (!done()) {
        if (platform::TickCount() >= deadline) return false;
        pause();
        platform::Sleep(1);
    }
    return true;
}

} // namespace player
