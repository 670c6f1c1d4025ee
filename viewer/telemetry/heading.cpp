#include "telemetry/heading.h"

#include <array>

namespace telemetry {
namespace {

// Sine and cosine of 0°, 15°, ... 90° as the dial has always used them (32-bit floats).
struct SineCosine {
    float s;
    float k;
};
constexpr std::array<SineCosine, 7> kQuarter{{
    {0.0f, 1.0f}, {0.26f, 0.97f}, {0.5f, 0.87f}, {0.71f, 0.71f},
    {0.87f, 0.5f}, {0.97f, 0.26f}, {1.0f, 0.0f},
}};
constexpr int kStepDegrees = 15;
constexpr int kStepsPerQuarter = 6;

int scaled(float v) { return static_cast<int>(static_cast<float>(kNeedleLength) * v); }

} // namespace

std::optional<NeedleOffsets> NeedleFor(int course) {
    if (course < 0 || course > 360) return std::nullopt;
    const int step = (course + kStepDegrees - 1) / kStepDegrees;  // 0..24
    const SineCosine sc = kQuarter[static_cast<std::size_t>(step % kStepsPerQuarter)];
    const int x = scaled(sc.s);
    const int y = scaled(sc.k);
    // Turn the first-quarter offsets clockwise by whole quarters.
    switch (step / kStepsPerQuarter % 4) {
    case 1: return NeedleOffsets{y, -x};
    case 2: return NeedleOffsets{-x, -y};
    case 3: return NeedleOffsets{-y, x};
    default: return NeedleOffsets{x, y};
    }
}

} // namespace telemetry
