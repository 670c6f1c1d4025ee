#pragma once
// The speed read-out of the GPS panel: the sentence's speed over ground in the configured unit,
// shown as three digits.

namespace telemetry {

enum class SpeedUnit : int { KilometresPerHour = 0, MilesPerHour = 1, Knots = 2 };

struct SpeedDigits {
    int hundreds = 0;
    int tens = 0;
    int ones = 0;
    bool operator==(const SpeedDigits&) const = default;
};

inline constexpr int kMaxShownSpeed = 999;

// Knots in the unit (speedUnit of the viewer configuration: 0 km/h, 1 mph, 2 knots), truncated
// and kept within 0..999. Any other unit gives 0.
int SpeedInUnit(double knots, int speedUnit);

// The digits of a speed, kept within 0..999.
SpeedDigits DigitsOf(int speed);

} // namespace telemetry
