#include "telemetry/user_data_presenter.h"

#include <cstdint>
#include <span>

#include "telemetry/draw_gps.h"
#include "telemetry/draw_gsenser.h"
#include "telemetry/draw_progress_bar.h"

namespace telemetry {

UserDataPresenter::UserDataPresenter(CDrawGps& gpsPanel, CDrawGSenser& gsensorGraph,
                                     CDrawProgressBar& progressBar)
    : gpsPanel_(gpsPanel), gsensorGraph_(gsensorGraph), progressBar_(progressBar) {}

UserDataRepaint UserDataPresenter::Present(const FrameTelemetry& frame, int speedUnit) {
    const bool hasUserData = !frame.noUserData;
    const std::span<const char> gpsCopy =
        frame.hasCopies ? std::span<const char>(frame.gps) : std::span<const char>();
    const GpsReadout readout = decoder_.decode(gpsCopy, hasUserData, speedUnit);
    if (readout.positionDecoded && mapHandOver_) mapHandOver_(readout.latitudeText, readout.longitudeText);

    // A file without user data leaves position and speed as they were; the heading follows the
    // sentence either way.
    if (hasUserData) {
        gpsPanel_.SetPositionText(readout.latitudeText, readout.longitudeText);
        gpsPanel_.SetSpeedDigits(readout.speed.hundreds, readout.speed.tens, readout.speed.ones);
    }
    gpsPanel_.SetHeading(readout.course, readout.needle.x, readout.needle.y);

    if (const auto position = ProgressPosition(frame.positionSeconds, frame.lengthSeconds))
        progressBar_.SetPosition(*position);

    gsensorGraph_.SetSample(frame.hasCopies ? std::optional(frame.gsensor) : std::nullopt, frame.noUserData);

    return UserDataRepaint{true, true, true};
}

std::optional<int> UserDataPresenter::ProgressPosition(int positionSeconds, int lengthSeconds) {
    if (lengthSeconds < 1) return 0;
    if (positionSeconds < 0 || positionSeconds > lengthSeconds) return std::nullopt;
    const std::int64_t position = std::int64_t{positionSeconds} * CDrawProgressBar::kFullPosition;
    return static_cast<int>(position / lengthSeconds);
}

} // namespace telemetry
