#pragma once
// Decodes the recording's GPS sentence for each picture shown: position, speed and heading for
// the GPS panel and the map. Keeps what carries over from picture to picture: the text slots of
// the last "$GPRMC", the sentence-valid flag, the last shown speed and the needle offsets.
// User-interface thread; decode from a snapshot of the adapter's copy.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "telemetry/heading.h"
#include "telemetry/speed_readout.h"

namespace telemetry {

struct GpsReadout {
    bool positionDecoded = false;     // a "$GPRMC" was decoded: the map takes the texts
    bool updatesPanelReadout = false; // the file has user data: the panel takes texts and digits
    std::string latitudeText;         // signed decimal degrees, "37.552057"; see PadPositionText
    std::string longitudeText;
    SpeedDigits speed;
    int course = 0;                   // whole degrees, as the sentence gives it
    NeedleOffsets needle;
    bool needleShown = false;         // the course lies within 0..360
};

class GpsDecoder {
public:
    static constexpr std::size_t kCopySize = 128;

    // gpsCopy: the adapter's GPS copy, empty when it has none. At most kCopySize bytes are read
    // and the text ends at the first NUL. hasUserData is false for files without telemetry;
    // speedUnit is the configuration's (0 km/h, 1 mph, 2 knots).
    GpsReadout decode(std::span<const char> gpsCopy, bool hasUserData, int speedUnit);

    bool sentenceValid() const { return sentenceValid_; }
    int lastShownSpeed() const { return lastShownSpeed_; }

private:
    // The text of the latest "$GPRMC" fields, each within its slot's size. After decoding,
    // latitude and longitude hold decimal degrees.
    struct Slots {
        std::string time, status, latitude, northSouth, longitude, eastWest, speed, course;
    };

    void decodeRecommendedMinimum(std::string_view fields);
    SpeedDigits shownSpeed(int speed);

    Slots slots_;
    bool sentenceValid_ = false;
    int lastShownSpeed_ = 0;
    NeedleOffsets needle_;
};

} // namespace telemetry
