#pragma once
// What the main window does for every picture the player shows (WM_PLAYER_USERDATA): decode the
// frame's GPS sentence, hand position, speed and heading to the GPS panel, the G-sensor sample to
// the graph, the playing position to the progress bar, and the position texts to the map.
//
// User-interface thread. Call it only while a recording is open. The presenter keeps the decoding
// state that carries over from picture to picture and from recording to recording.

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "telemetry/gps_decoder.h"
#include "telemetry/gsensor_trace.h"

namespace telemetry {

class CDrawGps;
class CDrawGSenser;
class CDrawProgressBar;

// One consistent snapshot of the adapter's telemetry for the picture shown.
struct FrameTelemetry {
    static constexpr std::size_t kGpsBytes = GpsDecoder::kCopySize;

    bool hasCopies = false;              // the adapter holds GPS and G-sensor copies
    std::array<char, kGpsBytes> gps{};   // NMEA text; it fills all 128 bytes when it has no NUL
    GSensorSample gsensor{};             // X, Y, Z in g
    bool noUserData = true;              // the file has no usable user data
    int positionSeconds = 0;
    int lengthSeconds = 0;
};

// Which controls changed. Each has already scheduled its own repaint; for the GPS panel and the
// progress bar the main window also brings their texts below the bitmap up to date
// (CDrawCtrlBase::UpdateParentTexts) and invalidates the area returned.
struct UserDataRepaint {
    bool gpsPanel = false;
    bool gsensorGraph = false;
    bool progressBar = false;
};

class UserDataPresenter {
public:
    // Receives the signed decimal-degree texts of every decoded "$GPRMC"; the receiver decides
    // whether a map is shown.
    using MapHandOver = std::function<void(const std::string& latitude, const std::string& longitude)>;

    UserDataPresenter(CDrawGps& gpsPanel, CDrawGSenser& gsensorGraph, CDrawProgressBar& progressBar);

    void SetMapHandOver(MapHandOver handOver) { mapHandOver_ = std::move(handOver); }

    // speedUnit: the viewer configuration's (0 km/h, 1 mph, 2 knots).
    UserDataRepaint Present(const FrameTelemetry& frame, int speedUnit);

    // The progress position of a playing position: 0..345 of the clip's length; 0 for a clip
    // shorter than 1 s; none for a negative position or one beyond the length.
    static std::optional<int> ProgressPosition(int positionSeconds, int lengthSeconds);

private:
    CDrawGps& gpsPanel_;
    CDrawGSenser& gsensorGraph_;
    CDrawProgressBar& progressBar_;
    GpsDecoder decoder_;
    MapHandOver mapHandOver_;
};

} // namespace telemetry
