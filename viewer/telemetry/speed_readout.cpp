#include "telemetry/speed_readout.h"

#include <algorithm>
#include <cmath>

namespace telemetry {
namespace {

// Metres per nautical mile, and miles per kilometre in millionths; whole knots thus convert
// without a rounding error below the next integer.
constexpr double kMetresPerKnotHour = 1852.0;
constexpr double kMilesPerKilometreMillionths = 621371.0;

double convert(double knots, int speedUnit) {
    switch (static_cast<SpeedUnit>(speedUnit)) {
    case SpeedUnit::KilometresPerHour: return knots * kMetresPerKnotHour / 1000.0;
    case SpeedUnit::MilesPerHour:
        return knots * kMetresPerKnotHour * kMilesPerKilometreMillionths / 1e9;
    case SpeedUnit::Knots: return knots;
    }
    return 0.0;
}

} // namespace

int SpeedInUnit(double knots, int speedUnit) {
    const double speed = std::trunc(convert(knots, speedUnit));
    if (!(speed > 0.0)) return 0;
    if (speed >= kMaxShownSpeed) return kMaxShownSpeed;
    return static_cast<int>(speed);
}

SpeedDigits DigitsOf(int speed) {
    speed = std::clamp(speed, 0, kMaxShownSpeed);
    return SpeedDigits{speed / 100, speed / 10 % 10, speed % 10};
}

} // namespace telemetry
