#include "platform/clock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace platform {

namespace {

std::atomic<bool> fastForward{false};
std::atomic<std::uint64_t> skippedMs{0};  // time that fast-forwarded sleeps added

} // namespace

void Sleep(unsigned milliseconds) {
    if (fastForward.load()) {
        skippedMs.fetch_add(milliseconds);
        return;
    }
    if (milliseconds == 0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::uint64_t TickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()) +
           skippedMs.load();
}

void SetClockFastForward(bool on) { fastForward.store(on); }

bool ClockFastForward() { return fastForward.load(); }

} // namespace platform
