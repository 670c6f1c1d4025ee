#include "samplecard/companion.h"

#include "byte_order.h"
#include "platform/number_text.h"

namespace samplecard {
namespace {

constexpr std::size_t kSectorBytes = 512;
constexpr std::size_t kStripeBytes = 64 * kSectorBytes;

}  // namespace

std::vector<std::uint8_t> eccCompanion(std::span<const std::uint8_t> recording) {
  std::vector<std::uint8_t> ecc;
  bytes::appendFourCC(ecc, "ECC0");
  bytes::appendU32(ecc, std::uint32_t(recording.size()));
  bytes::appendU32(ecc, std::uint32_t(kStripeBytes));
  for (std::size_t stripe = 0; stripe < recording.size(); stripe += kStripeBytes) {
    const std::size_t parity = ecc.size();
    ecc.resize(parity + kSectorBytes, 0);
    const std::size_t end = std::min(recording.size(), stripe + kStripeBytes);
    for (std::size_t at = stripe; at < end; ++at)
      ecc[parity + (at - stripe) % kSectorBytes] ^= recording[at];
  }
  return ecc;
}

std::string xlsCompanion(std::span<const TelemetryEntry> telemetry) {
  std::string text = "time\tlatitude\tlongitude\tspeed_kmh\tcourse\n";
  for (std::size_t n = 0; n < telemetry.size(); n += kEntriesPerSecond) {
    const TelemetryEntry& entry = telemetry[n];
    text += platform::FormatText("%s\t%.6f\t%.6f\t%.1f\t%.1f\n",
                                 entry.time.clockText(entry.time.millisecond / 10).c_str(),
                                 entry.point.latitude, entry.point.longitude,
                                 entry.point.speedKnots * 1.852, entry.point.courseDegrees);
  }
  return text;
}

}  // namespace samplecard
