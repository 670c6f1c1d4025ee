#include "user_data_index.h"

#include <algorithm>
#include <cmath>

namespace vexplayer {

UserDataIndex::UserDataIndex(UserDataTable table, double clipSeconds)
    : table_(std::move(table)), clipSeconds_(clipSeconds) {}

std::uint32_t UserDataIndex::indexAt(double positionSeconds, bool lastPicture) const {
    const std::uint32_t count = table_.entryCount;
    if (count == 0) return kNoEntry;
    const std::uint32_t last = count - 1;
    if (lastPicture) return last;
    const double position = std::isfinite(positionSeconds) ? std::max(0.0, positionSeconds) : 0.0;
    if (!table_.timesMs.empty()) {
        const double ms = std::min(std::round(position * 1000.0), double{UINT32_MAX});
        const auto after = std::upper_bound(table_.timesMs.begin(), table_.timesMs.end(),
                                            static_cast<std::uint32_t>(ms));
        const auto index = std::max<std::ptrdiff_t>(0, after - table_.timesMs.begin() - 1);
        return std::min(static_cast<std::uint32_t>(index), last);
    }
    if (clipSeconds_ <= 0) return 0;
    const double spread = std::floor(position / clipSeconds_ * count);
    return static_cast<std::uint32_t>(std::clamp(spread, 0.0, static_cast<double>(last)));
}

} // namespace vexplayer
