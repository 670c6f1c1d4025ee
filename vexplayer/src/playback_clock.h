#pragma once
// The one clock both channels and the audio follow: a position that runs at the speed factor
// while playing and stands still while paused. Player thread only.

#include <chrono>

namespace vexplayer {

class PlaybackClock {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr double kMinSpeed = 0.1;
    static constexpr double kMaxSpeed = 16.0;

    double position(Clock::time_point now) const;
    void set(double position, Clock::time_point now);
    bool running() const { return running_; }
    void setRunning(bool running, Clock::time_point now);
    double speed() const { return speed_; }
    // Clamped to [kMinSpeed, kMaxSpeed].
    void setSpeed(double speed, Clock::time_point now);
    // When the position will be reached; time_point::max() while stopped.
    Clock::time_point when(double position, Clock::time_point now) const;

private:
    double base_ = 0;
    Clock::time_point baseTime_{};
    double speed_ = 1.0;
    bool running_ = false;
};

} // namespace vexplayer
