#pragma once
// The name of a still capture: the recording's name from its first "drf2" (else "evt2") up to,
// not including, its last 4 characters, then "_MMSS.jpg" of the playback position; and the rear
// channel's name.

#include <cstdint>
#include <string>
#include <string_view>

namespace capture {

// "_%d%d%d%d.jpg" of s / 600, (s / 60) mod 10, (s mod 60) / 10, (s mod 60) mod 10: 85 s gives
// "_0125.jpg", 6000 s "_10000.jpg".
std::string PositionSuffix(std::int32_t positionSeconds);

// The base name of currentPath (empty when it holds neither prefix) and the suffix. The last 4
// characters are UTF-8 characters, not bytes.
std::string CaptureName(std::string_view currentPath, std::int32_t positionSeconds);

// The rear picture's name: the fourth character of the first "drf2_" (else "evt2_") becomes "1".
// A name with neither is returned as it is.
std::string RearCaptureName(std::string name);

} // namespace capture
