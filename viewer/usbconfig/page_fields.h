#pragma once
// How the configuration pages show record fields: a radio group gives the 0-based index of its
// selected button in dialog order (-1 none), a drop-down list the position of its selected
// entry (-1 none) and the entry's text. The rules below turn record values into indexes and
// positions when a page loads, and back when it saves. Plain data and functions, no window.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "usbconfig/device_config.h"

namespace usbconfig {

enum class RadioRule {
    Index,             // index = value
    CountFromOne,      // index = value - 1 (channels, record minutes)
    ThreeShownAsTwo,   // value 3 shows index 2 and index 2 saves 3; nothing selected saves 0
    DisplayOutput,     // values 0-2 show index 0-2, 3 and above value - 1; index 3-5 saves 4-6
};

int RadioIndexOf(RadioRule rule, std::int32_t value);
std::int32_t RadioValueOf(RadioRule rule, int index);

struct RadioField {
    std::span<const int> ids;   // the buttons in dialog order
    std::int32_t DeviceConfig::*field;
    RadioRule rule;
};

enum class ListRule {
    FromFirst,       // position = value - first entry; saves the entry's number
    YearOfCentury,   // position = value mod 2000; saves the entry's number
    MotionSeconds,   // below 30: position = value; 30-119: value - 30; 120 and above: "120"
    Position,        // position = value; saves the position
    TriggerTenths,   // entries in tenths; the nearest entry to the float; saves the entry as float
};

struct ListField {
    int id;
    int first, last, step;   // the entries' numbers (tenths for TriggerTenths)
    ListRule rule;
    std::int32_t DeviceConfig::*word = nullptr;   // every rule but TriggerTenths
    float DeviceConfig::*level = nullptr;         // TriggerTenths
};

// The entries' texts: "%d", or "%.1f" of the tenths.
std::vector<std::string> ListEntries(const ListField& list);
// The position the record's value selects; outside the entries selects none.
int ListPositionOf(const ListField& list, const DeviceConfig& record);
// Writes the field from the selected position (-1 none) and its entry's text.
void WriteListField(const ListField& list, int position, const std::string& text, DeviceConfig& record);

// Sets bytes first .. last (inclusive) of the record to zero.
void ZeroRange(DeviceConfig& record, std::size_t first, std::size_t last);

} // namespace usbconfig
