#include "telemetry/gps_decoder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "platform/text_rules.h"
#include "telemetry/position_text.h"

namespace telemetry {
namespace {

constexpr std::string_view kRecommendedMinimum = "$GPRMC";
constexpr std::string_view kFixData = "$GPGGA";

// One coordinate: ddmm.mmmm (latitude) or dddmm.mmmm (longitude).
struct CoordinateRule {
    std::size_t minutesStart;  // where the minutes begin in the field
    double bound;              // values beyond +-bound read as 0
    char negativeHemisphere;
};
constexpr CoordinateRule kLatitude{2, 90.0, 'S'};
// Longitude has always been bounded at 360 rather than 180.
constexpr CoordinateRule kLongitude{3, 360.0, 'W'};

// A field into a slot of the given size: the one-letter slots keep the field's last character,
// the others its first characters.
std::string slotText(std::string_view field, std::size_t size) {
    if (size == 1) return field.empty() ? std::string() : std::string(1, field.back());
    return std::string(field.substr(0, size));
}

std::string decodeCoordinate(std::string_view field, std::string_view hemisphere,
                             const CoordinateRule& rule) {
    const double whole = platform::ParseLeadingDouble(field);
    const double minutes = field.size() > rule.minutesStart
                               ? platform::ParseLeadingDouble(field.substr(rule.minutesStart))
                               : 0.0;
    double value = std::trunc(whole / 100.0) + minutes / 60.0;
    if (value > rule.bound || value < -rule.bound) value = 0.0;
    const bool negative = hemisphere.size() == 1 && hemisphere.front() == rule.negativeHemisphere;
    if (negative && value != 0.0) value = -value;
    return FormatDegrees(value);
}

} // namespace

GpsReadout GpsDecoder::decode(std::span<const char> gpsCopy, bool hasUserData, int speedUnit) {
    GpsReadout readout;
    double knots = 0.0;
    if (!gpsCopy.empty()) {
        std::string_view text(gpsCopy.data(), std::min(gpsCopy.size(), kCopySize));
        text = text.substr(0, text.find('\0'));
        if (text.starts_with(kRecommendedMinimum)) {
            sentenceValid_ = true;
            decodeRecommendedMinimum(text.substr(kRecommendedMinimum.size()));
            readout.positionDecoded = true;
            knots = platform::ParseLeadingDouble(slots_.speed);
        } else if (text.starts_with(kFixData)) {
            sentenceValid_ = true;
        } else {
            sentenceValid_ = false;
            slots_.course.clear();
            slots_.speed.clear();
            slots_.longitude.clear();
            slots_.latitude.clear();
        }
    }
    readout.latitudeText = slots_.latitude;
    readout.longitudeText = slots_.longitude;

    if (hasUserData) {
        readout.updatesPanelReadout = true;
        readout.speed = shownSpeed(SpeedInUnit(knots, speedUnit));
    }

    readout.course = platform::ParseLeadingInt(slots_.course);
    const auto needle = NeedleFor(readout.course);
    if (needle) needle_ = *needle;
    readout.needle = needle_;
    readout.needleShown = needle.has_value();
    return readout;
}

void GpsDecoder::decodeRecommendedMinimum(std::string_view fields) {
    const std::array<std::pair<std::string*, std::size_t>, 8> targets{{
        {&slots_.time, 11}, {&slots_.status, 1}, {&slots_.latitude, 10},
        {&slots_.northSouth, 1}, {&slots_.longitude, 11}, {&slots_.eastWest, 1},
        {&slots_.speed, 5}, {&slots_.course, 6},
    }};
    // The text before the first comma is not a field; fields the sentence lacks stay empty.
    std::size_t comma = fields.find(',');
    for (const auto& [slot, size] : targets) {
        if (comma == std::string_view::npos) {
            slot->clear();
            continue;
        }
        const std::size_t start = comma + 1;
        comma = fields.find(',', start);
        const std::size_t end = comma == std::string_view::npos ? fields.size() : comma;
        *slot = slotText(fields.substr(start, end - start), size);
    }
    slots_.latitude = decodeCoordinate(slots_.latitude, slots_.northSouth, kLatitude);
    slots_.longitude = decodeCoordinate(slots_.longitude, slots_.eastWest, kLongitude);
}

SpeedDigits GpsDecoder::shownSpeed(int speed) {
    // A valid sentence that reads 0 keeps showing the last speed when that was above 10, and
    // does not replace it.
    if (speed == 0 && sentenceValid_) return DigitsOf(lastShownSpeed_ > 10 ? lastShownSpeed_ : 0);
    lastShownSpeed_ = speed;
    return DigitsOf(speed);
}

} // namespace telemetry
