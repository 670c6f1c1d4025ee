#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "samplecard/telemetry.h"

namespace samplecard {

enum class TimeTag { Time, Rtcd };

inline constexpr std::size_t kTimeEntryBytes = 4;
inline constexpr std::size_t kGpsEntryBytes = 128;
inline constexpr std::size_t kSensorEntryBytes = 12;

// The recorder's top-level "udat" box: box size and chunk sizes are big-endian; a "TIME" (or
// "RTCD") chunk of big-endian 32-bit milliseconds from the start of the recording, a "GPSI" chunk
// of NUL-padded 128-byte NMEA entries and a "SENS" chunk of three little-endian floats per entry.
std::vector<std::uint8_t> buildUdatBox(TimeTag tag, std::span<const TelemetryEntry> entries);

}  // namespace samplecard
