#pragma once
// The texts and icon of one row of the main window's play list, cut out of the entry's path.

#include <cstddef>
#include <string>
#include <string_view>

namespace catalogue {

// Skin bitmaps of the kind icons.
inline constexpr int kIconContinuous = 195;  // also rows without a prefix
inline constexpr int kIconEvent = 196;
inline constexpr int kIconParking = 302;

// Rows take their labels and icon from at most this many bytes of the entry's path.
inline constexpr std::size_t kLabelSourceMaxBytes = 255;

// Labels that show a recording's name hold at most this many bytes.
inline constexpr std::size_t kLabelMaxBytes = 31;

struct PlaylistLabel {
    int iconId = kIconContinuous;
    std::string date;  // "YYYY.MM.DD", empty for a path without the mode's prefixes
    std::string name;  // the name from the prefix on, in its label form
};

// Labels by the front prefixes of the channel mode (see frontPrefixes), found in the path's first
// kLabelSourceMaxBytes bytes.
PlaylistLabel labelFor(std::string_view path, int channelMode);

// A name in the form a label shows it: at most kLabelMaxBytes bytes, cut between characters.
std::string labelForm(std::string_view text);

} // namespace catalogue
