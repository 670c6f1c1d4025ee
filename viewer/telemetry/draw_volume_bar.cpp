#include "telemetry/draw_volume_bar.h"

#include <QPainter>

#include "resources/resources.h"

namespace telemetry {
namespace {

constexpr int kSpeakerBitmap = 193;
constexpr int kThumbBitmap = 194;
constexpr QPoint kBackgroundAt{2, 0};
constexpr QPoint kSpeakerAt{0, 8};
constexpr TrackLayout kLayout{{26, 14}, {31, 14}, {188, 14}, {31, 8}, CDrawVolumeBar::kFullLevel};

} // namespace

bool CDrawVolumeBar::SetLevel(int level) {
    if (level < 0) return false;
    if (level != level_) {
        level_ = level;
        PictureChanged();
    }
    return true;
}

void CDrawVolumeBar::OnBitmapSet() {
    pieces_ = LoadTrackPieces(kThumbBitmap);
    speaker_ = resources::Bitmap(kSpeakerBitmap);
}

void CDrawVolumeBar::Draw(QPainter& painter) {
    if (!HasBitmap()) return;
    painter.drawImage(kBackgroundAt, Bitmap());
    painter.drawImage(kSpeakerAt, speaker_);
    DrawTrack(painter, pieces_, kLayout, level_, Bitmap().width());
}

} // namespace telemetry
