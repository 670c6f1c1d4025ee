#pragma once
// Latitude and longitude as texts: signed decimal degrees with six decimals ("37.552057",
// "-33.868820"), and the GPS panel's padded form with three degree digits after the sign.

#include <string>
#include <string_view>

namespace telemetry {

// Six decimals, no padding, independent of the process locale.
std::string FormatDegrees(double degrees);

// "37.552057" -> "037.552057", "5.000000" -> "005.000000", "-5.123456" -> "-005.123456";
// a text whose degrees already have three digits is kept; any other text is right-aligned in
// ten characters (so an empty text shows as ten blanks).
std::string PadPositionText(std::string_view text);

} // namespace telemetry
