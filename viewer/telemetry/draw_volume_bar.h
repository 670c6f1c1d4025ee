#pragma once
// The volume bar beside the transport buttons: a speaker, and the level 0..135 as a filled bar
// with a thumb.

#include "telemetry/draw_ctrl_base.h"
#include "telemetry/track_pieces.h"

namespace telemetry {

class CDrawVolumeBar : public CDrawCtrlBase {
public:
    static constexpr int kFullLevel = 135;

    using CDrawCtrlBase::CDrawCtrlBase;

    // A negative level is refused (false) and the old one kept.
    bool SetLevel(int level);
    int GetLevel() const { return level_; }

    void Draw(QPainter& painter) override;

protected:
    void OnBitmapSet() override;
    // The background starts two pixels right of the control's edge.
    bool CoversRectangle() const override { return false; }

private:
    TrackPieces pieces_;
    QImage speaker_;
    int level_ = 0;
};

} // namespace telemetry
