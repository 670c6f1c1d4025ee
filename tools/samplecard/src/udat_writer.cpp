#include "samplecard/udat_writer.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "byte_order.h"

namespace samplecard {
namespace {

void appendFloatLittleEndian(std::vector<std::uint8_t>& out, float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(std::uint8_t(bits >> shift));
}

std::uint32_t chunkSize(std::size_t entries, std::size_t entryBytes) {
  const std::size_t size = 8 + entries * entryBytes;
  if (size > 0xFFFFFFFFu / 4) throw std::length_error("udat: too many entries");
  return std::uint32_t(size);
}

}  // namespace

std::vector<std::uint8_t> buildUdatBox(TimeTag tag, std::span<const TelemetryEntry> entries) {
  const std::uint32_t timeSize = chunkSize(entries.size(), kTimeEntryBytes);
  const std::uint32_t gpsSize = chunkSize(entries.size(), kGpsEntryBytes);
  const std::uint32_t sensorSize = chunkSize(entries.size(), kSensorEntryBytes);
  const std::uint32_t boxSize = 8 + timeSize + gpsSize + sensorSize;

  std::vector<std::uint8_t> box;
  box.reserve(boxSize);
  bytes::appendU32(box, boxSize);
  bytes::appendFourCC(box, "udat");

  bytes::appendU32(box, timeSize);
  bytes::appendFourCC(box, tag == TimeTag::Rtcd ? "RTCD" : "TIME");
  for (const TelemetryEntry& entry : entries) bytes::appendU32(box, entry.timeMs);

  bytes::appendU32(box, gpsSize);
  bytes::appendFourCC(box, "GPSI");
  for (const TelemetryEntry& entry : entries) {
    const std::size_t used = std::min(entry.nmea.size(), kGpsEntryBytes);
    box.insert(box.end(), entry.nmea.begin(), entry.nmea.begin() + std::ptrdiff_t(used));
    box.insert(box.end(), kGpsEntryBytes - used, 0);
  }

  bytes::appendU32(box, sensorSize);
  bytes::appendFourCC(box, "SENS");
  for (const TelemetryEntry& entry : entries) {
    appendFloatLittleEndian(box, entry.g.x);
    appendFloatLittleEndian(box, entry.g.y);
    appendFloatLittleEndian(box, entry.g.z);
  }
  return box;
}

}  // namespace samplecard
