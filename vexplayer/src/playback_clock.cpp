#include "playback_clock.h"

#include <algorithm>

namespace vexplayer {

double PlaybackClock::position(Clock::time_point now) const {
    if (!running_) return base_;
    return base_ + std::chrono::duration<double>(now - baseTime_).count() * speed_;
}

void PlaybackClock::set(double position, Clock::time_point now) {
    base_ = position;
    baseTime_ = now;
}

void PlaybackClock::setRunning(bool running, Clock::time_point now) {
    if (running == running_) return;
    set(position(now), now);
    running_ = running;
}

void PlaybackClock::setSpeed(double speed, Clock::time_point now) {
    set(position(now), now);
    speed_ = std::clamp(speed, kMinSpeed, kMaxSpeed);
}

PlaybackClock::Clock::time_point PlaybackClock::when(double position, Clock::time_point now) const {
    if (!running_) return Clock::time_point::max();
    const double wallSeconds = (position - this->position(now)) / speed_;
    if (wallSeconds <= 0) return now;
    return now + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(std::min(wallSeconds, 3600.0)));
}

} // namespace vexplayer
