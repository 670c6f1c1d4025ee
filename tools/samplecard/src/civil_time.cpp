#include "samplecard/civil_time.h"

#include <chrono>

#include "platform/number_text.h"

namespace samplecard {

CivilTime CivilTime::plusMilliseconds(std::int64_t ms) const {
  using namespace std::chrono;
  const sys_days date = year_month_day{std::chrono::year{year}, std::chrono::month{unsigned(month)},
                                       std::chrono::day{unsigned(day)}};
  const auto instant = time_point_cast<milliseconds>(date) + hours{hour} + minutes{minute} +
                       seconds{second} + milliseconds{millisecond} + milliseconds{ms};
  const sys_days newDate = floor<days>(instant);
  const year_month_day ymd{newDate};
  const hh_mm_ss clock{instant - newDate};
  return CivilTime{int(ymd.year()),
                   int(unsigned(ymd.month())),
                   int(unsigned(ymd.day())),
                   int(clock.hours().count()),
                   int(clock.minutes().count()),
                   int(clock.seconds().count()),
                   int(clock.subseconds().count())};
}

std::string CivilTime::dateDigits() const {
  return platform::FormatText("%04d%02d%02d", year, month, day);
}

std::string CivilTime::timeDigits() const {
  return platform::FormatText("%02d%02d%02d", hour, minute, second);
}

std::string CivilTime::clockText(int hundredths) const {
  return platform::FormatText("%04d-%02d-%02d %02d:%02d:%02d.%02d", year, month, day, hour,
                              minute, second, hundredths);
}

std::string CivilTime::isoUtc() const {
  return platform::FormatText("%04d-%02d-%02dT%02d:%02d:%02d.%06dZ", year, month, day, hour,
                              minute, second, millisecond * 1000);
}

}  // namespace samplecard
