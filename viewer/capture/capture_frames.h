#pragma once
// The main window's copies of the current front and rear frame pictures and the name their
// capture file gets. The rear copy stays empty in one-channel mode, where both choices save the
// front picture.

#include <cstdint>
#include <string>
#include <vector>

namespace capture {

struct CaptureFrames {
    std::vector<std::uint8_t> front;
    std::vector<std::uint8_t> rear;
    std::size_t frameBytes = 0;   // bytes of one picture as the player bridge gave it
    std::string name;             // e.g. "drf2_20240102_030405_0125.jpg"
    // Two-channel mode: the rear copy is the rear camera's, the only picture a rear capture may
    // save (before the rear camera's first picture there is none).
    bool twoChannel = false;
};

} // namespace capture
