#pragma once
// The running X, Y, Z acceleration traces of the G-sensor graph, in control pixels. Advanced
// once per new sample (not per paint); the graph control draws what is stored: background, then,
// when shownSample() is set, the three value texts and a polyline per axis through points().
// User-interface thread.

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

    // The next sample starts the traces again at the left edge.
    void reset();

    const std::vector<TracePoint>& points(Axis axis) const {
        return points_[static_cast<std::size_t>(axis)];
    }
    // The last sample when it was drawable: the graph shows its values and the traces.
    const std::optional<GSensorSample>& shownSample() const { return shownSample_; }
    bool noUserData() const { return noUserData_; }
    int tick() const { return tick_; }

    static int yFor(float g);
    static bool inRange(const GSensorSample& sample);

private:
    void restartAtLeftEdge();

    std::array<std::vector<TracePoint>, 3> points_;
    std::array<TracePoint, 3> last_;
    std::optional<GSensorSample> shownSample_;
    bool noUserData_ = false;
    int tick_ = 0;
};

} // namespace telemetry
