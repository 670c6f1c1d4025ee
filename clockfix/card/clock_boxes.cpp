#include "card/clock_boxes.h"

#include "platform/number_text.h"

namespace card {
namespace {

struct FieldRange {
    int ClockTime::*field;
    int lowest;
    int highest;
};

// In the order the boxes are checked.
constexpr FieldRange kFieldRanges[] = {
    {&ClockTime::year, 2000, 2050},  {&ClockTime::month, 1, 12},   {&ClockTime::day, 1, 31},
    {&ClockTime::hour, 0, 23},       {&ClockTime::minute, 0, 59},  {&ClockTime::second, 0, 59},
};

} // namespace

std::optional<ClockTime> ReadClockBoxes(const ClockBoxes& boxes) {
    ClockTime time;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const FieldRange& range = kFieldRanges[i];
        const int value = platform::ParseLeadingInt(boxes[i]);
        if (value < range.lowest || value > range.highest) return std::nullopt;
        time.*range.field = value;
    }
    return time;
}

std::string ClockFileText(const ClockTime& time) {
    return platform::FormatText("%0d-%02d-%02d-%02d-%02d-%02d", time.year, time.month, time.day, time.hour,
                                time.minute, time.second);
}

} // namespace card
