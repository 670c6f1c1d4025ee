#pragma once
// Which user-data entry belongs to a picture: the entry whose time is the last one not after the
// picture's position, or, without usable times, the entries spread evenly over the clip. The
// clip's last picture always gets the last entry, so that the viewer sees the end of the clip.

#include <cstdint>

#include "udat_reader.h"

namespace vexplayer {

class UserDataIndex {
public:
    // Reported for every picture of a file without entries.
    static constexpr std::uint32_t kNoEntry = 0xFFFFFFFFu;

    UserDataIndex() = default;
    UserDataIndex(UserDataTable table, double clipSeconds);

    std::uint32_t entryCount() const { return table_.entryCount; }
    std::uint32_t indexAt(double positionSeconds, bool lastPicture) const;

private:
    UserDataTable table_;
    double clipSeconds_ = 0;
};

} // namespace vexplayer
