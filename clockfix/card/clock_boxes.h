#pragma once
// The six clock boxes (year, month, day, hour, minute, second) read as atoi reads them, so the
// units behind the numbers ("2011년") are ignored, and checked in that order.

#include <array>
#include <optional>
#include <string>

namespace card {

struct ClockTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

using ClockBoxes = std::array<std::string, 6>;

// The time in the boxes, or nothing when a field is out of range (year 2000..2050, month 1..12,
// day 1..31 whatever the month, hour 0..23, minute and second 0..59).
std::optional<ClockTime> ReadClockBoxes(const ClockBoxes& boxes);

// The clock file's 19 characters, e.g. "2011-05-12-14-30-00".
std::string ClockFileText(const ClockTime& time);

} // namespace card
