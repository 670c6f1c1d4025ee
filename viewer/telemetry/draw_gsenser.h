#pragma once
// The G-sensor graph below the video: the X, Y and Z accelerations as running traces over the
// plot area, with the current values written under it.
//
// The traces advance once per new sample: SetSample hands over a sample, which steps the traces
// and draws the new picture. Paints without a new sample (uncovering, moving the window) show the
// same picture.

#include <QFont>
#include <optional>

#include "telemetry/draw_ctrl_base.h"
#include "telemetry/gsensor_trace.h"

namespace telemetry {

class CDrawGSenser : public CDrawCtrlBase {
public:
    explicit CDrawGSenser(QWidget* parent = nullptr);

    // The sample of the picture being shown (none when the adapter has no copy yet) and the
    // file's no-user-data flag; steps the traces.
    void SetSample(std::optional<GSensorSample> sample, bool noUserData);
    // Clears the traces; the next sample starts them again at the left edge.
    void ResetTrace();

    const GSensorTrace& Trace() const { return trace_; }

    void Draw(QPainter& painter) override;

private:
    void DrawValues(QPainter& painter, const GSensorSample& sample);
    void DrawTraces(QPainter& painter);

    GSensorTrace trace_;
    QFont valueFont_;
};

} // namespace telemetry
