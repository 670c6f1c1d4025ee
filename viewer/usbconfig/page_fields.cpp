#include "usbconfig/page_fields.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/number_text.h"

namespace usbconfig {
namespace {

constexpr int kMotionFirst = 30;
constexpr int kMotionLast = 120;
constexpr int kCentury = 2000;

// Worked out in 64 bits, so that no stored value overflows; a negative one selects nothing.
int IndexOrNone(std::int64_t index) { return index < 0 || index > INT32_MAX ? -1 : static_cast<int>(index); }

} // namespace

int RadioIndexOf(RadioRule rule, std::int32_t value) {
    const std::int64_t v = value;
    switch (rule) {
    case RadioRule::Index: return IndexOrNone(v);
    case RadioRule::CountFromOne: return IndexOrNone(v - 1);
    case RadioRule::ThreeShownAsTwo: return IndexOrNone(v == 3 ? 2 : v);
    case RadioRule::DisplayOutput: return IndexOrNone(v <= 2 ? v : v - 1);
    }
    return -1;
}

std::int32_t RadioValueOf(RadioRule rule, int index) {
    switch (rule) {
    case RadioRule::Index: return index;
    case RadioRule::CountFromOne: return index + 1;
    case RadioRule::ThreeShownAsTwo: return index == 2 ? 3 : index < 0 ? 0 : index;
    case RadioRule::DisplayOutput: return index <= 2 ? index : index + 1;
    }
    return 0;
}

std::vector<std::string> ListEntries(const ListField& list) {
    std::vector<std::string> entries;
    for (int number = list.first; number <= list.last; number += list.step)
        entries.push_back(list.rule == ListRule::TriggerTenths ? platform::FormatText("%.1f", number / 10.0)
                                                               : platform::IntegerText(number));
    return entries;
}

int ListPositionOf(const ListField& list, const DeviceConfig& record) {
    if (list.rule == ListRule::TriggerTenths) {
        const float level = record.*list.level;
        if (std::isnan(level)) return -1;
        // Clamped before the conversion: a huge or infinite level must not overflow the int.
        const double tenths = std::clamp(static_cast<double>(level) * 10.0, static_cast<double>(list.first),
                                         static_cast<double>(list.last));
        return static_cast<int>(std::lround(tenths)) - list.first;
    }
    const std::int64_t value = record.*list.word;
    switch (list.rule) {
    case ListRule::FromFirst: return IndexOrNone(value - list.first);
    case ListRule::YearOfCentury: return IndexOrNone(value % kCentury);
    case ListRule::MotionSeconds:
        if (value < kMotionFirst) return IndexOrNone(value);
        return static_cast<int>(std::min<std::int64_t>(value, kMotionLast) - kMotionFirst);
    case ListRule::Position: return IndexOrNone(value);
    case ListRule::TriggerTenths: break;
    }
    return -1;
}

void WriteListField(const ListField& list, int position, const std::string& text, DeviceConfig& record) {
    const bool selected = position >= 0;
    switch (list.rule) {
    case ListRule::TriggerTenths:
        record.*list.level = selected ? static_cast<float>(platform::ParseLeadingDouble(text)) : 0.0f;
        return;
    case ListRule::Position: record.*list.word = position; return;
    case ListRule::FromFirst:
    case ListRule::YearOfCentury:
    case ListRule::MotionSeconds: record.*list.word = selected ? platform::ParseLeadingInt(text) : 0; return;
    }
}

void ZeroRange(DeviceConfig& record, std::size_t first, std::size_t last) {
    DeviceConfig::Bytes bytes = record.toBytes();
    std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(first), bytes.begin() + static_cast<std::ptrdiff_t>(last) + 1,
              std::uint8_t{0});
    record = DeviceConfig::fromBytes(bytes);
}

} // namespace usbconfig
