#pragma once
// Painters of the telemetry controls' bitmaps: bar pieces, the volume, progress, GPS and
// G-sensor backgrounds, the title, the speed digits, the list's kind icons and scroll arrows.

class QPainter;
class QRect;

namespace skingen {

// Bar pieces: left cap, fill column, right cap (arg 0, 1, 2).
void PaintBarPiece(QPainter& p, const QRect& area, int piece, bool pressed);
void PaintBarThumb(QPainter& p, const QRect& area, int arg, bool pressed);
void PaintSpeaker(QPainter& p, const QRect& area, int arg, bool pressed);
void PaintVolumeBackground(QPainter& p, const QRect& area, int arg, bool pressed);
void PaintProgressBackground(QPainter& p, const QRect& area, int arg, bool pressed);
void PaintGpsPanel(QPainter& p, const QRect& area, int arg, bool pressed);
void PaintGsensorBackground(QPainter& p, const QRect& area, int arg, bool pressed);
void PaintTitle(QPainter& p, const QRect& area, int arg, bool pressed);
// Leaves the backdrop as it is: for pieces that are plain cuts of the window.
void PaintNothing(QPainter& p, const QRect& area, int arg, bool pressed);
void PaintSpeedDigit(QPainter& p, const QRect& area, int digit, bool pressed);

enum RecordingBadge { kBadgeContinuous, kBadgeEvent, kBadgeManual, kBadgeParking };
void PaintKindIcon(QPainter& p, const QRect& area, int badge, bool pressed);
// arg 0 up, 1 down.
void PaintScrollArrow(QPainter& p, const QRect& area, int down, bool pressed);

} // namespace skingen
