#include "map/route_track.h"

#include <optional>

#include "platform/number_text.h"
#include "player/tarn_udat.h"
#include "player/user_data_box.h"
#include "telemetry/gps_decoder.h"

namespace map {

void RouteTrack::Load(const std::string& path) {
    path_ = path;
    points_.clear();
    entryCount_ = 0;
    const player::UserDataBoxRead read = player::FindUserDataBox(path, 0, 0);
    if (read.code != player::kBoxFound) return;
    player::TarnUDAT parser;
    parser.SetBox(read.copy.data(), read.copy.size());
    if (parser.Parse() != player::TarnUDAT::kParsed) return;
    // The GPS chunk's own size bounds its entries (the parser alone would read on into the next
    // chunk while the entry count is unknown).
    const std::uint32_t chunkSize = parser.GpsChunk().size;
    const std::uint32_t entries = chunkSize > 8 ? (chunkSize - 8) / player::TarnUDAT::kGpsEntryBytes : 0;
    telemetry::GpsDecoder decoder;
    for (std::uint32_t n = 0; n < entries; ++n) {
        const std::uint8_t* entry = parser.GpsEntry(n);
        if (!entry) break;
        entryCount_ = n + 1;
        const telemetry::GpsReadout readout = decoder.decode(
            {reinterpret_cast<const char*>(entry), player::TarnUDAT::kGpsEntryBytes}, true, 0);
        if (!readout.positionDecoded) continue;
        const std::optional<double> latitude = platform::ParseDecimal(readout.latitudeText);
        const std::optional<double> longitude = platform::ParseDecimal(readout.longitudeText);
        if (!latitude || !longitude || (*latitude == 0.0 && *longitude == 0.0)) continue;
        points_.push_back({*latitude, *longitude, static_cast<int>(n)});
    }
}

} // namespace map
