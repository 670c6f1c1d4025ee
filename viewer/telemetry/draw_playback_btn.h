#pragma once
// A drawn button kind that draws nothing; the main window holds one without creating it.

#include "telemetry/draw_ctrl_base.h"

namespace telemetry {

class CDrawPlaybackBtn : public CDrawCtrlBase {
public:
    using CDrawCtrlBase::CDrawCtrlBase;

    void Draw(QPainter&) override {}
};

} // namespace telemetry
