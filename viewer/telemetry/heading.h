#pragma once
// The heading needle of the GPS panel: offsets of its tip from the centre (73, 192) of the dial,
// x to the right and y upwards, for a course in whole degrees (0 up, clockwise). The course is
// rounded up to the next 15° step (1..15 -> 15°, 16..30 -> 30°, ...).

#include <optional>

namespace telemetry {

struct NeedleOffsets {
    int x = 0;
    int y = 0;
    bool operator==(const NeedleOffsets&) const = default;
};

inline constexpr int kNeedleLength = 22;

// Offsets for a course from 0 to 360; none outside that range (no needle is drawn then).
std::optional<NeedleOffsets> NeedleFor(int course);

} // namespace telemetry
