#pragma once
// The progress bar under the video: the played part of the clip as a filled bar with a thumb at
// 0..345 pixels, and, while the show-time flag is set, the playing position and the clip's length
// written below it ("00:01:01 /00:01:15") from the times its parent window reports
// (ClipTimeSource).

#include <QFont>

#include "telemetry/draw_ctrl_base.h"
#include "telemetry/track_pieces.h"

namespace telemetry {

class CDrawProgressBar : public CDrawCtrlBase {
public:
    static constexpr int kFullPosition = 345;

    explicit CDrawProgressBar(QWidget* parent = nullptr);

    // A negative position is refused (false) and the old one kept.
    bool SetPosition(int position);
    int GetPosition() const { return position_; }

    void SetShowTime(bool show) { showTime_ = show; }
    bool ShowTime() const { return showTime_; }

    void Draw(QPainter& painter) override;
    // The clip times, when the flag is set and the parent reports a clip of at least 1 s.
    QRect DrawOnParent(QPainter& painter) override;

protected:
    void OnBitmapSet() override;

private:
    TrackPieces pieces_;
    QFont timeFont_;
    int position_ = 0;
    bool showTime_ = false;
};

} // namespace telemetry
