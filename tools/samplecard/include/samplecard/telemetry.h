#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "samplecard/civil_time.h"
#include "samplecard/gsensor.h"
#include "samplecard/route.h"

namespace samplecard {

inline constexpr int kEntriesPerSecond = 10;
inline constexpr int kEntryStepMs = 1000 / kEntriesPerSecond;

enum class SentenceKind { Rmc, Gga, Gsv, Vtg, Empty };

// Mostly "$GPRMC"; every tenth entry "$GPGGA", a few satellite and track sentences, and now and
// then an entry the receiver left empty. Entry 0 is always "$GPRMC".
SentenceKind sentenceKindFor(int entry);

// Everything that belongs to one step of a recording.
struct TelemetryEntry {
  std::uint32_t timeMs = 0;  // from the start of the recording
  CivilTime time;            // recorder clock of this step
  RoutePoint point;
  std::string nmea;  // empty for an empty entry
  GSample g;
};

struct TelemetrySpec {
  CivilTime start;
  double driveOffsetSeconds = 0;  // where on the route the recording starts
  bool parked = false;            // standing at the route point of driveOffsetSeconds
  int entries = 0;
  double bumpPeakG = 2.5;
  Hemisphere hemisphere = Hemisphere::NorthEast;
};

std::vector<TelemetryEntry> buildTelemetry(const TelemetrySpec& spec);

}  // namespace samplecard
