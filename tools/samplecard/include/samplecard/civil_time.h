#pragma once

#include <cstdint>
#include <string>

namespace samplecard {

// A date and time of the recorder's clock, to the millisecond. The recorder has no time zone:
// file names, burned-in clocks and NMEA time fields all show this clock.
struct CivilTime {
  int year = 2011;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;

  CivilTime plusMilliseconds(std::int64_t ms) const;
  CivilTime plusSeconds(std::int64_t seconds) const { return plusMilliseconds(seconds * 1000); }

  std::string dateDigits() const;               // "20110512"
  std::string timeDigits() const;               // "093015"
  std::string clockText(int hundredths) const;  // "2011-05-12 09:30:15.33"
  std::string isoUtc() const;  // "2011-05-12T09:30:15.000000Z", for the container's creation time

  friend bool operator==(const CivilTime&, const CivilTime&) = default;
};

}  // namespace samplecard
