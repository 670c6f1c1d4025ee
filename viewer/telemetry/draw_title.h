#pragma once
// The product title at the top of the main window: its background bitmap and nothing more.

#include "telemetry/draw_ctrl_base.h"

namespace telemetry {

class CDrawTitle : public CDrawCtrlBase {
public:
    using CDrawCtrlBase::CDrawCtrlBase;
};

} // namespace telemetry
