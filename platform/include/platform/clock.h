#pragma once
// The platform clock. Sleep blocks the calling thread; tests switch on fast-forward, in which a
// sleep only advances the clock's own time at once. TickCount reads that time in milliseconds.

#include <cstdint>

namespace platform {

void Sleep(unsigned milliseconds);   // 0 yields the processor
std::uint64_t TickCount();
void SetClockFastForward(bool on);
bool ClockFastForward();

} // namespace platform
