#pragma once
// The radio choices of the settings window, kept between its openings.

#include <cstdint>

namespace settings {

struct SettingChoices {
    std::int32_t channel = 0;        // 1078/1079: 0 front camera only, 1 front and rear
    std::int32_t tvOut = 0;          // 1080/1081: 0 front, 1 rear
    std::int32_t driveMode = 0;      // 1082/1083: 0 driving, 1 vehicle stopped
    std::int32_t language = 0;       // 1241..1243: never shown, so it stays 0 (Korean)
    std::int32_t captureSource = 0;  // 1084/1085: the channel a capture takes its picture from
};

} // namespace settings
