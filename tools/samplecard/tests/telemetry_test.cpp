#include "samplecard/telemetry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "box_reader.h"
#include "nmea_reader.h"
#include "samplecard/nmea.h"
#include "samplecard/route.h"
#include "samplecard/udat_writer.h"

namespace samplecard {
namespace {

using testing::checksumValid;
using testing::decodeRmc;

constexpr double kKnotsPerKmh = 1 / 1.852;

double metresBetween(const RoutePoint& a, const RoutePoint& b) {
  const double north = (b.latitude - a.latitude) * 111320.0;
  const double east = (b.longitude - a.longitude) * 111320.0 * std::cos(a.latitude * M_PI / 180);
  return std::hypot(north, east);
}

TEST(Route, DriveRangesFromStandstillToMotorwaySpeedRoundTheCompass) {
  const Route route;
  double slowest = 1e9, fastest = 0, longestStandstill = 0, standing = 0;
  std::map<int, int> quadrants;
  for (int step = 0; step <= 900; ++step) {
    const RoutePoint point = route.at(step * 0.1);
    slowest = std::min(slowest, point.speedKnots);
    fastest = std::max(fastest, point.speedKnots);
    standing = point.speedKnots == 0 ? standing + 0.1 : 0;
    longestStandstill = std::max(longestStandstill, standing);
    ASSERT_GE(point.courseDegrees, 0);
    ASSERT_LT(point.courseDegrees, 360);
    ++quadrants[int(point.courseDegrees / 90)];
  }
  EXPECT_EQ(slowest, 0);
  EXPECT_GE(fastest, 100 * kKnotsPerKmh);
  EXPECT_LE(fastest, 130 * kKnotsPerKmh);
  EXPECT_GE(longestStandstill, 3.0);
  EXPECT_EQ(quadrants.size(), 4u) << "the course must turn through every quadrant";
  EXPECT_NEAR(route.at(0).latitude, 37 + 33.1234 / 60, 1e-9);
  EXPECT_NEAR(route.at(0).longitude, 126 + 59.5678 / 60, 1e-9);
}

TEST(Route, PositionMovesAtTheReportedSpeedAndNotWhileStanding) {
  const Route route;
  // Three cycles, so that the joins between cycles are crossed too.
  for (int step = 0; step < 2700; ++step) {
    const RoutePoint a = route.at(step * 0.1);
    const RoutePoint b = route.at(step * 0.1 + 0.1);
    const double expected = (a.speedKnots + b.speedKnots) / 2 * 1852.0 / 3600.0 * 0.1;
    ASSERT_NEAR(metresBetween(a, b), expected, 0.05 + expected * 0.02)
        << "at " << step * 0.1 << " s";
    if (a.speedKnots == 0 && b.speedKnots == 0) {
      ASSERT_LT(metresBetween(a, b), 1e-6);
    }
  }
  EXPECT_GT(metresBetween(route.at(0), route.at(3 * Route::cycleSeconds)), 100.0)
      << "a drive goes somewhere";
}

TEST(Route, SouthWestMirrorsTheDrive) {
  const Route northEast(Hemisphere::NorthEast);
  const Route southWest(Hemisphere::SouthWest);
  for (const double t : {0.0, 17.3, 45.0, 88.8, 200.1}) {
    const RoutePoint ne = northEast.at(t);
    const RoutePoint sw = southWest.at(t);
    EXPECT_GT(ne.latitude, 0);
    EXPECT_GT(ne.longitude, 0);
    EXPECT_DOUBLE_EQ(sw.latitude, -ne.latitude);
    EXPECT_DOUBLE_EQ(sw.longitude, -ne.longitude);
    EXPECT_DOUBLE_EQ(sw.speedKnots, ne.speedKnots);
    EXPECT_NEAR(std::fmod(sw.courseDegrees - ne.courseDegrees + 360, 360), 180, 1e-9);
  }
}

TEST(Nmea, ChecksumsAndFieldsMatchTheStandardForm) {
  // The textbook sentence, with its published checksum.
  EXPECT_EQ(nmea::sentence("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W"),
            "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A");
  EXPECT_EQ(nmea::latitudeField(37 + 33.1234 / 60), "3733.1234");
  EXPECT_EQ(nmea::longitudeField(126 + 59.5678 / 60), "12659.5678");
  EXPECT_EQ(nmea::longitudeField(-(5 + 7.5 / 60)), "00507.5000");
  // Minutes that round up to 60 carry into the degrees.
  EXPECT_EQ(nmea::latitudeField(37 + 59.99999 / 60), "3800.0000");
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(checksumValid(nmea::gsv(i)));
}

TEST(Nmea, RmcDecodesToTheRoutePointTheWayTheViewerReadsIt) {
  for (const Hemisphere hemisphere : {Hemisphere::NorthEast, Hemisphere::SouthWest}) {
    const Route route(hemisphere);
    for (int step = 0; step < 1800; step += 7) {
      const RoutePoint point = route.at(step * 0.1);
      const CivilTime time = CivilTime{2011, 5, 12, 23, 59, 58, 0}.plusMilliseconds(step * 100);
      const std::string sentence = nmea::rmc(point, time);
      ASSERT_TRUE(checksumValid(sentence)) << sentence;
      const auto fix = decodeRmc(sentence);
      ASSERT_TRUE(fix) << sentence;
      EXPECT_NEAR(fix->latitude, std::fabs(point.latitude), 1e-5) << sentence;
      EXPECT_NEAR(fix->longitude, std::fabs(point.longitude), 1e-5) << sentence;
      EXPECT_EQ(fix->northSouth, hemisphere == Hemisphere::NorthEast ? 'N' : 'S');
      EXPECT_EQ(fix->eastWest, hemisphere == Hemisphere::NorthEast ? 'E' : 'W');
      EXPECT_NEAR(fix->speedKnots, point.speedKnots, 0.051) << sentence;
      EXPECT_NEAR(fix->course, point.courseDegrees, 0.051) << sentence;
      EXPECT_LT(fix->course, 360.0);
      char clock[16];
      std::snprintf(clock, sizeof clock, "%02d%02d%02d.%03d", time.hour, time.minute, time.second,
                    time.millisecond);
      EXPECT_EQ(fix->time, clock);
      EXPECT_EQ(fix->date, step * 100 < 2000 ? "120511" : "130511") << "the date rolls at midnight";
    }
  }
}

TEST(Telemetry, EntriesMixSentencesAndCarryABump) {
  TelemetrySpec spec;
  spec.start = {2011, 5, 12, 9, 30, 15, 0};
  spec.entries = 600;
  spec.bumpPeakG = 2.3;
  const std::vector<TelemetryEntry> entries = buildTelemetry(spec);
  ASSERT_EQ(entries.size(), 600u);

  std::map<std::string, int> kinds;
  double largest = 0;
  for (std::size_t n = 0; n < entries.size(); ++n) {
    const TelemetryEntry& entry = entries[n];
    EXPECT_EQ(entry.timeMs, n * 100);
    kinds[entry.nmea.empty() ? "" : entry.nmea.substr(0, 6)]++;
    if (!entry.nmea.empty()) {
      EXPECT_TRUE(checksumValid(entry.nmea)) << entry.nmea;
    }
    EXPECT_LT(entry.nmea.size(), kGpsEntryBytes);
    largest = std::max({largest, std::fabs(double(entry.g.x)), std::fabs(double(entry.g.y)),
                        std::fabs(double(entry.g.z))});
  }
  EXPECT_EQ(entries[0].nmea.substr(0, 6), "$GPRMC");
  EXPECT_GT(kinds["$GPRMC"], 600 * 7 / 10);
  EXPECT_GT(kinds["$GPGGA"], 0);
  EXPECT_GT(kinds["$GPGSV"], 0);
  EXPECT_GT(kinds[""], 0);
  EXPECT_GT(largest, 2.0);

  // Away from the bump the sensor rests near 1 g downwards.
  const GSample quiet = entries[10].g;
  EXPECT_NEAR(quiet.z, 1.0, 0.1);
  EXPECT_NEAR(quiet.x, 0.0, 0.5);
  EXPECT_NEAR(quiet.y, 0.0, 0.5);

  spec.parked = true;
  spec.driveOffsetSeconds = 40;  // motorway speed on the route, but the car is parked
  const std::vector<TelemetryEntry> parked = buildTelemetry(spec);
  for (const TelemetryEntry& entry : parked) {
    ASSERT_EQ(entry.point.speedKnots, 0);
    ASSERT_EQ(entry.point.latitude, parked[0].point.latitude);
    ASSERT_EQ(entry.point.longitude, parked[0].point.longitude);
  }
}

TEST(UdatWriter, LongSentencesAreCutAtTheEntryAndShortOnesPadded) {
  std::vector<TelemetryEntry> entries(3);
  entries[0].nmea = std::string(kGpsEntryBytes, 'A');
  entries[1].nmea = std::string(kGpsEntryBytes + 40, 'B');
  entries[2].nmea = "$GPGGA";
  entries[2].timeMs = 0x01020304;
  entries[2].g = {-2.5f, 0.25f, 1.0f};
  const std::vector<std::uint8_t> box = buildUdatBox(TimeTag::Rtcd, entries);
  const auto data = testing::readUserData(box, {"udat", 0, box.size()});
  ASSERT_TRUE(data);
  EXPECT_EQ(testing::bigEndian32(box, 0), box.size());
  EXPECT_EQ(data->timeTag, "RTCD");
  EXPECT_EQ(data->sentences[0], entries[0].nmea);
  EXPECT_EQ(data->sentences[1], std::string(kGpsEntryBytes, 'B'));
  EXPECT_EQ(data->sentences[2], "$GPGGA");
  EXPECT_TRUE(data->nulPadded[2]);
  EXPECT_EQ(data->times[2], 0x01020304u);
  EXPECT_EQ(data->samples[2].x, -2.5f);
  EXPECT_EQ(data->samples[2].y, 0.25f);
  EXPECT_EQ(data->samples[2].z, 1.0f);
}

}  // namespace
}  // namespace samplecard
