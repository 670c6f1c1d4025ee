#pragma once
// The recording's "udat" box, read from the channel-1 file the way the viewer reads it: the
// top-level boxes are walked by their headers (only the "udat" box itself is read), then its
// three chunks "TIME" (or "RTCD"), "GPSI" and "SENS" are located.

#include <cstdint>
#include <optional>
#include <vector>

namespace vexplayer {

class RecordingInput;

struct UserDataTable {
    // Entries that every chunk holds completely inside the box and the file.
    std::uint32_t entryCount = 0;
    // Milliseconds of each entry from the start of the recording (big-endian in the file); empty
    // when the times do not run forward or are too many to keep.
    std::vector<std::uint32_t> timesMs;
};

// Nothing when the file has no "udat" box or its chunks are not the three expected ones in order.
std::optional<UserDataTable> ReadUserData(const RecordingInput& input);

} // namespace vexplayer
