#pragma once
// The G-sensor graph below the video: the X, Y and Z accelerations as running traces over the
// plot area, with the current values written under it.
//
// The traces advance once per new sample: SetSample hands over a sample, and the next Draw (the
// next paint) adds its points. Paints without a new sample (uncovering, moving the window) show
// the same picture.

#include <QFont>
#include <optional>

#include "telemetry/draw_ctrl_base.h"
#include "telemetry/gsensor_trace.h"

namespace telemetry {

class CDrawGSenser : public CDrawCtrlBase {
public:
    explicit CDrawGSenser(QWidget* parent = nullptr);

    // The sample of the picture being shown (none when the adapter has no copy yet) and the
    // file's no-user-data flag; drawn by the next paint.
    void SetSample(std::optional<GSensorSample> sample, bool noUserData);
    // Clears the traces; the next sample starts them again at the left edge.
    void ResetTrace();

    const GSensorTrace& Trace() const { return trace_; }

    void Draw(QPainter& painter) override;

private:
    struct PendingSample {
        std::optional<GSensorSample> sample;
        bool noUserData = false;
    };

    void DrawValues(QPainter& painter, const GSensorSample& sample);
    void DrawTraces(QPainter& painter);

    GSensorTrace trace_;
    std::optional<PendingSample> pending_;
    QFont valueFont_;
};

} // namespace telemetry
