#include "shell/model/track_geometry.h"

#include <algorithm>
#include <cstdint>

namespace shell {
namespace {

constexpr int kThumbTop = 481;
constexpr int kThumbBottom = 501;

PixelRect thumbAt(int left, int right) { return PixelRect{left, kThumbTop, right, kThumbBottom}; }

} // namespace

int TrackPositionAt(const TrackSpec& track, int x) {
    const std::int64_t offset = std::int64_t{x} - track.originX;
    return static_cast<int>(std::clamp<std::int64_t>(offset, 0, track.range));
}

PixelRect ProgressThumbRect(int position) { return thumbAt(position + 36, position + 69); }

PixelRect VolumeThumbRect(int position) { return thumbAt(position + 822, position + 845); }

int SecondsAtProgress(int position, int lengthSeconds) {
    return static_cast<int>(std::int64_t{position} * lengthSeconds / kProgressTrack.range);
}

int VolumePercentAt(int position) {
    return static_cast<int>(std::int64_t{position} * 100 / kVolumeTrack.range);
}

std::optional<int> ProgressPositionForTime(int positionSeconds, int lengthSeconds) {
    if (lengthSeconds < 1) return 0;
    if (positionSeconds > lengthSeconds) return std::nullopt;
    const std::int64_t position = std::max(positionSeconds, 0);
    return static_cast<int>(position * kProgressTrack.range / lengthSeconds);
}

} // namespace shell
