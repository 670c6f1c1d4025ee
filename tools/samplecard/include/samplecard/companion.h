#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "samplecard/telemetry.h"

namespace samplecard {

// "<recording>.mp4.ecc": "ECC0", the recording's size and the stripe size (big-endian 32-bit),
// then per 32 KiB stripe of the recording one 512-byte sector, the XOR of the stripe's sectors.
std::vector<std::uint8_t> eccCompanion(std::span<const std::uint8_t> recording);

// "<recording>.mp4.xls": a tab-separated drive log, one line per second of the recording.
std::string xlsCompanion(std::span<const TelemetryEntry> telemetry);

}  // namespace samplecard
