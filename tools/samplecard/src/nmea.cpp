#include "samplecard/nmea.h"

#include <array>
#include <cmath>

#include "platform/number_text.h"

namespace samplecard::nmea {
namespace {

constexpr std::array<std::string_view, 3> kSatellitesInView{
    "GPGSV,3,1,11,03,67,035,45,06,23,310,41,11,41,246,44,19,15,118,38",
    "GPGSV,3,2,11,22,54,172,47,24,08,052,33,28,33,287,42,30,12,201,36",
    "GPGSV,3,3,11,01,05,096,,17,71,341,48,32,19,009,40",
};

// Degrees as whole degrees and minutes with four decimals, rounded once so that 59.99995
// minutes carry into the next degree instead of printing "60.0000".
std::string angleField(double degrees, const char* format) {
  const long long tenThousandthsOfMinutes = std::llround(std::fabs(degrees) * 60.0 * 10000.0);
  const long long whole = tenThousandthsOfMinutes / 600000;
  const long long rest = tenThousandthsOfMinutes % 600000;
  return platform::FormatText(format, whole, rest / 10000, rest % 10000);
}

double tenths(double value) { return std::round(value * 10.0) / 10.0; }

double courseTenths(double course) {
  const double rounded = tenths(course);
  return rounded >= 360.0 ? rounded - 360.0 : rounded;
}

std::string utcField(const CivilTime& time) {
  return platform::FormatText("%02d%02d%02d.%03d", time.hour, time.minute, time.second,
                              time.millisecond);
}

char northSouth(double latitude) { return latitude < 0 ? 'S' : 'N'; }
char eastWest(double longitude) { return longitude < 0 ? 'W' : 'E'; }

}  // namespace

std::uint8_t checksum(std::string_view body) {
  std::uint8_t sum = 0;
  for (const char c : body) sum ^= static_cast<std::uint8_t>(c);
  return sum;
}

std::string sentence(std::string_view body) {
  const std::string tail = platform::FormatText("*%02X", checksum(body));
  std::string text;
  text.reserve(body.size() + 4);
  text += '$';
  text += body;
  text += tail;
  return text;
}

std::string latitudeField(double latitude) { return angleField(latitude, "%02lld%02lld.%04lld"); }

std::string longitudeField(double longitude) {
  return angleField(longitude, "%03lld%02lld.%04lld");
}

std::string rmc(const RoutePoint& point, const CivilTime& time) {
  return sentence(platform::FormatText(
      "GPRMC,%s,A,%s,%c,%s,%c,%05.1f,%05.1f,%02d%02d%02d,,,A", utcField(time).c_str(),
      latitudeField(point.latitude).c_str(), northSouth(point.latitude),
      longitudeField(point.longitude).c_str(), eastWest(point.longitude), tenths(point.speedKnots),
      courseTenths(point.courseDegrees), time.day, time.month, time.year % 100));
}

std::string gga(const RoutePoint& point, const CivilTime& time) {
  return sentence(platform::FormatText(
      "GPGGA,%s,%s,%c,%s,%c,1,08,0.9,%.1f,M,18.5,M,,", utcField(time).c_str(),
      latitudeField(point.latitude).c_str(), northSouth(point.latitude),
      longitudeField(point.longitude).c_str(), eastWest(point.longitude), point.altitudeMetres));
}

std::string vtg(const RoutePoint& point) {
  return sentence(platform::FormatText("GPVTG,%05.1f,T,,M,%05.1f,N,%05.1f,K,A",
                                       courseTenths(point.courseDegrees), tenths(point.speedKnots),
                                       tenths(point.speedKnots * 1.852)));
}

std::string gsv(int messageIndex) {
  const auto count = static_cast<int>(kSatellitesInView.size());
  return sentence(
      kSatellitesInView[static_cast<std::size_t>(((messageIndex % count) + count) % count)]);
}

}  // namespace samplecard::nmea
