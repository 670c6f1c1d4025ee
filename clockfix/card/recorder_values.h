#pragma once
// The four recorder values Clockfix shows for a card, each the first byte of its one-byte file in
// "<mount point>/setting/". Levels: 3 high, 2 medium, 1 low; any other byte is kept as read and
// checks no button.

#include <cstdint>
#include <optional>
#include <string>

namespace card {

struct RecorderValues {
    std::uint8_t quality = 3;
    std::uint8_t sensitivity = 2;
    std::uint8_t sound = 2;
    std::uint8_t frame = 3;
};

// The defaults, then setframe.dat, setsound.dat, setquality.dat and setsensitivity.dat read in
// that order; the first file that cannot be opened ends the chain, and the values after it keep
// their defaults. An empty file keeps its value's default and the chain goes on.
RecorderValues ReadRecorderValues(const std::string& mountPoint);

// The button of a level in its group of three (0 for "고", 1 for "중", 2 for "저"), nothing for
// a byte outside 1..3.
std::optional<int> CheckedButton(std::uint8_t level);

} // namespace card
