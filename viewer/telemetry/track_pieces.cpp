#include "telemetry/track_pieces.h"

#include <QPainter>
#include <algorithm>

#include "resources/resources.h"

namespace telemetry {
namespace {

constexpr int kLeftCapBitmap = 181;
constexpr int kFillBitmap = 182;
constexpr int kRightCapBitmap = 183;

} // namespace

TrackPieces LoadTrackPieces(int thumbBitmapId) {
    return TrackPieces{resources::Bitmap(kLeftCapBitmap), resources::Bitmap(kFillBitmap),
                       resources::Bitmap(kRightCapBitmap), resources::Bitmap(thumbBitmapId)};
}

void DrawTrack(QPainter& painter, const TrackPieces& pieces, const TrackLayout& layout, int level,
               int visibleWidth) {
    painter.drawImage(layout.leftCap, pieces.leftCap);
    const int columns = std::clamp(visibleWidth - layout.firstFillColumn.x(), 0, std::max(level, 0));
    for (int i = 0; i < columns; ++i)
        painter.drawImage(layout.firstFillColumn + QPoint(i, 0), pieces.fill);
    if (level == layout.fullLevel) painter.drawImage(layout.rightCap, pieces.rightCap);
    // A thumb that would start beyond the control is not drawn (and its x cannot overflow).
    if (level < visibleWidth) painter.drawImage(layout.thumbAtZero + QPoint(level, 0), pieces.thumb);
}

} // namespace telemetry
