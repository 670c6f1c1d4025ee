#include "samplecard/telemetry.h"

#include <algorithm>

#include "samplecard/nmea.h"

namespace samplecard {

SentenceKind sentenceKindFor(int entry) {
  if (entry % 20 == 7) return SentenceKind::Empty;
  if (entry % 10 == 4) return SentenceKind::Gga;
  if (entry % 30 == 13) return SentenceKind::Gsv;
  if (entry % 30 == 23) return SentenceKind::Vtg;
  return SentenceKind::Rmc;
}

namespace {

std::string sentenceFor(int entry, const RoutePoint& point, const CivilTime& time) {
  switch (sentenceKindFor(entry)) {
    case SentenceKind::Rmc:
      return nmea::rmc(point, time);
    case SentenceKind::Gga:
      return nmea::gga(point, time);
    case SentenceKind::Gsv:
      return nmea::gsv(entry / 30);
    case SentenceKind::Vtg:
      return nmea::vtg(point);
    case SentenceKind::Empty:
      break;
  }
  return {};
}

std::uint64_t seedOf(const CivilTime& start) {
  return std::uint64_t(start.year) << 40 ^ std::uint64_t(start.month) << 32 ^
         std::uint64_t(start.day) << 24 ^
         std::uint64_t(start.hour * 3600 + start.minute * 60 + start.second);
}

}  // namespace

std::vector<TelemetryEntry> buildTelemetry(const TelemetrySpec& spec) {
  const Route route(spec.hemisphere);
  const GSensorModel sensor(seedOf(spec.start), spec.entries / 2, spec.bumpPeakG);
  const RoutePoint parkedAt = [&] {
    RoutePoint point = route.at(spec.driveOffsetSeconds);
    point.speedKnots = 0;
    point.accelerationMs2 = 0;
    point.turnRateDegreesPerSecond = 0;
    return point;
  }();

  std::vector<TelemetryEntry> entries;
  entries.reserve(std::size_t(std::max(spec.entries, 0)));
  for (int n = 0; n < spec.entries; ++n) {
    TelemetryEntry entry;
    entry.timeMs = std::uint32_t(n) * kEntryStepMs;
    entry.time = spec.start.plusMilliseconds(entry.timeMs);
    entry.point =
        spec.parked ? parkedAt : route.at(spec.driveOffsetSeconds + entry.timeMs / 1000.0);
    entry.nmea = sentenceFor(n, entry.point, entry.time);
    entry.g = sensor.sample(n, entry.point);
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace samplecard
