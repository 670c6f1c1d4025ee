#pragma once

// Reads NMEA sentences the way the viewer does: fields cut at commas, latitude "ddmm.mmmm" with
// the minutes from the third character, longitude "dddmm.mmmm" with the minutes from the fourth.

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace samplecard::testing {

inline std::vector<std::string> splitFields(const std::string& sentence) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = sentence.find(',', start);
    fields.push_back(sentence.substr(start, comma - start));
    if (comma == std::string::npos) return fields;
    start = comma + 1;
  }
}

// "$" body "*" two hex digits, the digits being the XOR of the body.
inline bool checksumValid(const std::string& sentence) {
  if (sentence.size() < 4 || sentence.front() != '$') return false;
  const std::size_t star = sentence.rfind('*');
  if (star == std::string::npos || star + 3 != sentence.size()) return false;
  unsigned sum = 0;
  for (std::size_t i = 1; i < star; ++i) sum ^= static_cast<unsigned char>(sentence[i]);
  char expected[3];
  std::snprintf(expected, sizeof expected, "%02X", sum);
  return sentence.compare(star + 1, 2, expected) == 0;
}

struct DecodedFix {
  double latitude;  // unsigned degrees, as the viewer shows them
  double longitude;
  char northSouth;
  char eastWest;
  double speedKnots;
  double course;
  std::string time;  // hhmmss.sss
  std::string date;  // ddmmyy
};

inline std::optional<DecodedFix> decodeRmc(const std::string& sentence) {
  if (sentence.rfind("$GPRMC,", 0) != 0) return std::nullopt;
  const std::vector<std::string> f = splitFields(sentence);
  if (f.size() < 10 || f[3].size() < 3 || f[5].size() < 4 || f[4].size() != 1 || f[6].size() != 1)
    return std::nullopt;
  DecodedFix fix;
  fix.latitude = int(std::atof(f[3].c_str()) / 100) + std::atof(f[3].c_str() + 2) / 60.0;
  fix.longitude = int(std::atof(f[5].c_str()) / 100) + std::atof(f[5].c_str() + 3) / 60.0;
  fix.northSouth = f[4][0];
  fix.eastWest = f[6][0];
  fix.speedKnots = std::atof(f[7].c_str());
  fix.course = std::atof(f[8].c_str());
  fix.time = f[1];
  fix.date = f[9];
  return fix;
}

}  // namespace samplecard::testing
