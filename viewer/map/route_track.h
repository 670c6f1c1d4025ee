#pragma once
// The route of a recording: the position of every "$GPRMC" entry of its user data, decoded by the
// same rules as the GPS panel's (signed, south and west negative), each with its entry index, so
// that a click on the drawn route can seek to that step. Entries at 0, 0 (no fix) are left out.

#include <cstdint>
#include <string>
#include <vector>

#include "map/web_browser2.h"

namespace map {

class RouteTrack {
public:
    // Reads the recording's user data; an unreadable file or one without user data gives an
    // empty route.
    void Load(const std::string& path);

    const std::string& path() const { return path_; }
    const std::vector<RoutePoint>& points() const { return points_; }
    // How many GPS entries the user data holds (of every kind).
    std::uint32_t entryCount() const { return entryCount_; }

private:
    std::string path_;
    std::vector<RoutePoint> points_;
    std::uint32_t entryCount_ = 0;
};

} // namespace map
