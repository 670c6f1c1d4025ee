#pragma once
// The bar of the progress and volume controls: a left cap, one fill column per level step, a
// right cap once the bar is full, and a thumb that follows the level.

#include <QImage>
#include <QPoint>

class QPainter;

namespace telemetry {

struct TrackLayout {
    QPoint leftCap;
    QPoint firstFillColumn;
    QPoint rightCap;
    QPoint thumbAtZero;
    int fullLevel;          // the right cap shows at exactly this level
};

struct TrackPieces {
    QImage leftCap;
    QImage fill;
    QImage rightCap;
    QImage thumb;
};

// The skin's caps and fill (181, 182, 183) with the given thumb bitmap.
TrackPieces LoadTrackPieces(int thumbBitmapId);

// Fill columns beyond visibleWidth are skipped: they would fall outside the control.
void DrawTrack(QPainter& painter, const TrackPieces& pieces, const TrackLayout& layout, int level,
               int visibleWidth);

} // namespace telemetry
