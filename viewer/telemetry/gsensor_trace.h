#pragma once
// The running X, Y, Z acceleration traces of the G-sensor graph, in control pixels. Advanced
// once per new sample (not per paint). Each step first fixes what its picture shows (the stored
// trace as it was, and the newest segment when the point count is a multiple of 10 above 0), then adds
// the new point, then restarts at the left edge when the plot is full: the graph control draws
// the background, then, when shownSample() is set, the three value texts, a polyline per axis
// through drawnTrace() and newestSegment(). User-interface thread.

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace telemetry {

using GSensorSample = std::array<float, 3>;  // X, Y, Z in g

enum class Axis : std::size_t { X = 0, Y = 1, Z = 2 };

struct TracePoint {
    int x = 0;
    int y = 0;
    bool operator==(const TracePoint&) const = default;
};

struct TraceSegment {
    TracePoint from;
    TracePoint to;
    bool operator==(const TraceSegment&) const = default;
};

class GSensorTrace {
public:
    // Plot area and zero line in control pixels.
    static constexpr int kLeft = 75;
    static constexpr int kTop = 7;
    static constexpr int kRight = 355;
    static constexpr int kBottom = 128;
    static constexpr int kZeroY = 80;
    static constexpr float kLimit = 2.0f;  // samples beyond +-2 g add no point

    GSensorTrace();

    // One new sample from the adapter (none when it has no copy). With noUserData set nothing
    // is added; the tick still advances.
    void advance(std::optional<GSensorSample> sample, bool noUserData);

    // Forgets the stored points; the next sample starts the traces again at the left edge. The
    // picture then shows no trace until that sample.
    void reset();

    // The stored history.
    const std::vector<TracePoint>& points(Axis axis) const {
        return points_[static_cast<std::size_t>(axis)];
    }
    // What the latest step's picture shows of an axis: the history as it stood before the step,
    // and the segment to the step's point when it was drawn at once.
    const std::vector<TracePoint>& drawnTrace(Axis axis) const {
        return drawn_[static_cast<std::size_t>(axis)];
    }
    const std::optional<TraceSegment>& newestSegment(Axis axis) const {
        return newest_[static_cast<std::size_t>(axis)];
    }
    // The last sample when it was drawable: the graph shows its values and the traces.
    const std::optional<GSensorSample>& shownSample() const { return shownSample_; }
    bool noUserData() const { return noUserData_; }
    int tick() const { return tick_; }

    static int yFor(float g);
    static bool inRange(const GSensorSample& sample);

private:
    void restartAtLeftEdge();
    void clearPicture();

    std::array<std::vector<TracePoint>, 3> points_;
    std::array<std::vector<TracePoint>, 3> drawn_;
    std::array<std::optional<TraceSegment>, 3> newest_;
    std::array<TracePoint, 3> last_;
    std::optional<GSensorSample> shownSample_;
    bool noUserData_ = false;
    int tick_ = 0;
};

} // namespace telemetry
