#pragma once
// The registry value "config": the viewer's settings as one text of fields, each followed by "?":
//   1 gsensorLevel, 2 spare, 3 speedUnit, 4 volume percent, 5 passwordFlag, 6 passwordDigits,
//   7 timeTextOnSave, 8 timeTextOnClose, 9 volume bar position,
//   10..16 the settings windows' folders and flags (written, never read back),
// and one more "?" at the end, e.g. "4?0?0?74?0????100??0?0??0?0???". There is no escaping, so
// text fields are stored up to their first "?" (or NUL).

#include <cstddef>
#include <string>
#include <string_view>

#include "settings/viewer_config.h"

namespace settings {

// The longest value the reader accepts; a longer one reads as if nothing were stored.
inline constexpr std::size_t kConfigValueMaxLength = 511;

struct ParsedConfig {
    ViewerConfig config;         // config.volumeBarPosition holds field 9 as read
    int volumePercent = 0;       // field 4, as stored (callers range-check)
    int volumeBarPosition = 0;   // field 9; negative means "leave the bar where it is"
};

// Fields 10 to 16, built by the settings windows.
struct ConfigTail {
    std::string captureFolder;
    bool captureFront = false;
    bool captureRear = false;
    std::string clipFolder;
    bool clipFront = false;
    bool clipRear = false;
    std::string saveSettingsFolder;
};

// Reads fields 1 to 9 as the viewer always has: each integer like atoi, each text field only
// when it is not empty and cut to its capacity; a field without a following "?" makes the next
// search start again at the first character. The text ends at its first NUL.
ParsedConfig ParseConfigValue(std::string_view value);

// The value to store. Texts are cut to their capacities; when the whole would be longer than
// kConfigValueMaxLength, fields 10 to 16 are left out (the value then ends in the "?" of field 9
// and the final "?") so that fields 1 to 9 always read back.
std::string ComposeConfigValue(const ViewerConfig& config, int volumePercent,
                               int volumeBarPosition, const ConfigTail& tail);

} // namespace settings
