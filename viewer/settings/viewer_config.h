#pragma once
// The viewer's stored settings: a plain record copied by value. The settings window owns the live
// copy. Texts are UTF-8 in memory; their stored form is limited to the byte capacities below
// (a terminating NUL included), cut between characters.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace settings {

struct ViewerConfig {
    static constexpr std::size_t kPasswordDigitsCapacity = 5;   // four digits and NUL
    static constexpr std::size_t kTimeTextOnSaveCapacity = 27;
    static constexpr std::size_t kTimeTextOnCloseCapacity = 28;

    std::int32_t gsensorLevel = 0;   // 0..8, for the recorder setup file
    std::int32_t spare = 0;          // carried through unchanged
    std::int32_t speedUnit = 0;      // 0 km/h, 1 mph, 2 knots
    std::int32_t passwordFlag = 0;   // carried through unchanged
    std::string passwordDigits;      // empty or four digits
    std::string timeTextOnSave;      // the date-and-time box when Save was pressed
    std::int32_t speakerVolume = 0;  // 0..6
    std::int32_t volumeBarPosition = 0;  // field 9 as read at start; read by nobody
    std::int32_t micVolume = 0;      // 0..6
    std::array<std::int32_t, 4> reserved{};  // always 0, never stored
    std::string timeTextOnClose;     // the date-and-time box when last closed or written

    bool operator==(const ViewerConfig&) const = default;
};

// A value-initialised ViewerConfig is what a start without stored data reads: all zero, texts
// empty. Applying a record to the settings window then resets the three recorder levels, so
// that a first start shows level 4, speaker 3 and microphone 3.
inline constexpr std::int32_t kAppliedGsensorLevel = 4;
inline constexpr std::int32_t kAppliedSpeakerVolume = 3;
inline constexpr std::int32_t kAppliedMicVolume = 3;

// The record as the settings window keeps it after applying a stored one.
ViewerConfig WithAppliedLevels(ViewerConfig config);

} // namespace settings
