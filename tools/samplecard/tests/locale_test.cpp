// The generator's texts in a comma-decimal locale: NMEA sentences and the companion table keep
// their decimal points.
#include <gtest/gtest.h>

#include <vector>

#include "comma_locale.h"
#include "nmea_reader.h"
#include "samplecard/companion.h"
#include "samplecard/nmea.h"

namespace samplecard {
namespace {

class CommaLocaleTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(tripdesk::test::UseCommaDecimalLocale()); }

  static RoutePoint Point() {
    RoutePoint point;
    point.latitude = 37.5;
    point.longitude = 127.25;
    point.speedKnots = 12.34;
    point.courseDegrees = 84.46;
    point.altitudeMetres = 35.3;
    return point;
  }
  static CivilTime Time() { return CivilTime{2011, 5, 12, 8, 9, 10, 250}; }

  // The sentence without its "*hh" checksum, which must still be valid.
  static std::string Body(const std::string& sentence) {
    EXPECT_TRUE(testing::checksumValid(sentence)) << sentence;
    return sentence.substr(0, sentence.size() - 3);
  }
};

TEST_F(CommaLocaleTest, SentencesKeepTheirDecimalPoints) {
  EXPECT_EQ(Body(nmea::rmc(Point(), Time())),
            "$GPRMC,080910.250,A,3730.0000,N,12715.0000,E,012.3,084.5,120511,,,A");
  EXPECT_EQ(Body(nmea::gga(Point(), Time())),
            "$GPGGA,080910.250,3730.0000,N,12715.0000,E,1,08,0.9,35.3,M,18.5,M,,");
  EXPECT_EQ(Body(nmea::vtg(Point())), "$GPVTG,084.5,T,,M,012.3,N,022.9,K,A");
}

TEST_F(CommaLocaleTest, TheCompanionTableKeepsItsDecimalPoints) {
  TelemetryEntry entry;
  entry.time = Time();
  entry.point = Point();
  const std::vector<TelemetryEntry> telemetry{entry};
  EXPECT_EQ(xlsCompanion(telemetry),
            "time\tlatitude\tlongitude\tspeed_kmh\tcourse\n"
            "2011-05-12 08:09:10.25\t37.500000\t127.250000\t22.9\t84.5\n");
}

}  // namespace
}  // namespace samplecard
