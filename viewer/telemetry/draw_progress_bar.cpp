#include "telemetry/draw_progress_bar.h"

#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/fonts.h"
#include "telemetry/clip_time_source.h"
#include "telemetry/opaque_text.h"

namespace telemetry {
namespace {

constexpr int kThumbBitmap = 184;
constexpr TrackLayout kLayout{{2, 7}, {7, 7}, {382, 7}, {5, 1}, CDrawProgressBar::kFullPosition};

constexpr QPoint kPositionTextAt{239, 24};
constexpr QPoint kLengthTextAt{304, 24};

// "mm:ss" as the tens and units of the minutes and the seconds; negative seconds count as 0.
std::string ClipTime(const char* format, int seconds) {
    seconds = std::max(seconds, 0);
    const int minutes = seconds / 60;
    const int rest = seconds % 60;
    char text[48];
    std::snprintf(text, sizeof text, format, minutes / 10, minutes % 10, rest / 10, rest % 10);
    return text;
}

} // namespace

CDrawProgressBar::CDrawProgressBar(QWidget* parent)
    : CDrawCtrlBase(parent), timeFont_(platform::WinFont("Tahoma", 11.6)) {}

bool CDrawProgressBar::SetPosition(int position) {
    if (position < 0) return false;
    if (position != position_) {
        position_ = position;
        PictureChanged();
    }
    return true;
}

void CDrawProgressBar::OnBitmapSet() {
    pieces_ = LoadTrackPieces(kThumbBitmap);
}

void CDrawProgressBar::Draw(QPainter& painter) {
    if (!HasBitmap()) return;
    CDrawCtrlBase::Draw(painter);
    DrawTrack(painter, pieces_, kLayout, position_, Bitmap().width());
}

QRect CDrawProgressBar::DrawOnParent(QPainter& painter) {
    auto* source = dynamic_cast<ClipTimeSource*>(parentWidget());
    int length = 0;
    int position = 0;
    if (!HasBitmap() || !showTime_ || !source || !source->GetClipTimes(&length, &position) || length < 1)
        return {};
    painter.save();
    painter.setFont(timeFont_);
    painter.setPen(Qt::white);
    // The position's trailing blank runs under the length text, which must come second.
    const QRect positionCell =
        OpaqueTextOut(painter, kPositionTextAt, ClipTime("00:%d%d:%d%d ", position), Qt::black);
    const QRect lengthCell =
        OpaqueTextOut(painter, kLengthTextAt, ClipTime("/00:%d%d:%d%d", length), Qt::black);
    painter.restore();
    return positionCell | lengthCell;
}

} // namespace telemetry
