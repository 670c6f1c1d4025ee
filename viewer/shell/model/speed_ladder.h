#pragma once
// The playback speed ladder of the main window: steps 2..6 give 0.25, 0.5, 1.0, 1.5 and 2.0
// times normal speed; step 4 is normal. Fast and slow keep their speed through the one
// speed reset that follows them; every other reset (each newly opened recording) returns to 1.0.

#include <string>

namespace shell {

class SpeedLadder {
public:
    static constexpr int kSlowest = 2;
    static constexpr int kNormal = 4;
    static constexpr int kFastest = 6;

    void fast();
    void slow();

    // The first step of ResetSpeed: consumes keepSpeedOnce, or returns to normal speed.
    void reset();

    int step() const { return step_; }
    double factor() const { return factor_; }
    bool keepSpeedOnce() const { return keepSpeedOnce_; }

    // "%.02f x" of the factor, e.g. "0.25 x".
    std::string label() const;

private:
    int step_ = kNormal;
    double factor_ = 1.0;
    bool keepSpeedOnce_ = false;
};

} // namespace shell
