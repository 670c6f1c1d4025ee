#include "telemetry/gsensor_trace.h"

namespace telemetry {
namespace {

constexpr int kTickCap = 1 << 20;
constexpr std::size_t kSegmentBatch = 10;  // the newest segment shows at once every 10th point

} // namespace

GSensorTrace::GSensorTrace() {
    last_.fill(TracePoint{kLeft, kZeroY});
    for (std::size_t axis = 0; axis < points_.size(); ++axis) points_[axis] = {last_[axis]};
}

void GSensorTrace::advance(std::optional<GSensorSample> sample, bool noUserData) {
    noUserData_ = noUserData;
    shownSample_.reset();
    clearPicture();
    if (!noUserData) {
        if (sample && inRange(*sample)) {
            shownSample_ = sample;
            // After a reset no trace is stored: the last points belong to a trace no longer shown,
            // so no segment is drawn from them.
            const std::size_t count = points_[0].size();
            const bool segmentAtOnce = count > 0 && count % kSegmentBatch == 0;
            for (std::size_t axis = 0; axis < points_.size(); ++axis) {
                const TracePoint next{kLeft + 1 + tick_, yFor((*sample)[axis])};
                drawn_[axis] = points_[axis];
                if (segmentAtOnce) newest_[axis] = TraceSegment{last_[axis], next};
                last_[axis] = next;
                points_[axis].push_back(next);
            }
        }
        // After the picture is fixed: a full plot shows to its right edge before it restarts.
        if (last_[0].x >= kRight || tick_ == 0) restartAtLeftEdge();
    }
    // Past the plot's width every tick acts alike; the cap only keeps the count from overflowing
    // during a long run without user data.
    if (tick_ < kTickCap) ++tick_;
}

void GSensorTrace::reset() {
    for (auto& axis : points_) axis.clear();
    clearPicture();
    tick_ = 0;
}

void GSensorTrace::clearPicture() {
    for (auto& axis : drawn_) axis.clear();
    for (auto& segment : newest_) segment.reset();
}

void GSensorTrace::restartAtLeftEdge() {
    tick_ = 0;
    for (std::size_t axis = 0; axis < points_.size(); ++axis) {
        last_[axis].x = kLeft;
        points_[axis] = {last_[axis]};
    }
}

int GSensorTrace::yFor(float g) {
    return static_cast<int>(static_cast<float>(kZeroY) - (g / 2.0f) * 43.0f);
}

bool GSensorTrace::inRange(const GSensorSample& sample) {
    for (float g : sample) {
        if (!(g >= -kLimit && g <= kLimit)) return false;  // NaN is out of range too
    }
    return true;
}

} // namespace telemetry
