#pragma once
// Painters of the buttons: round transport buttons, tool tiles, caption buttons, popup close
// buttons and labelled buttons. `arg` is a Glyph for the first three and an index into the
// labelled-button table for the last; `pressed` selects the held look.

class QPainter;
class QRect;

namespace skingen {

void PaintTransportButton(QPainter& p, const QRect& area, int glyph, bool pressed);
void PaintToolButton(QPainter& p, const QRect& area, int glyph, bool pressed);
void PaintCaptionButton(QPainter& p, const QRect& area, int glyph, bool pressed);
void PaintPopupCloseButton(QPainter& p, const QRect& area, int arg, bool pressed);
void PaintLabelledButton(QPainter& p, const QRect& area, int label, bool pressed);
void PaintTickBox(QPainter& p, const QRect& area, int arg, bool ticked);
// Track of a settings slider; arg is the step between levels in pixels.
void PaintSliderTrack(QPainter& p, const QRect& area, int step, bool pressed);

// Rows of the labelled-button table.
enum LabelledButtonId {
    kLabelOpenFile,
    kLabelDeleteList,
    kLabelChannelOk,
    kLabelSelectFolder,
    kLabelCapture,
    kLabelSave,
    kLabelExit,
    kLabelOk,
};

} // namespace skingen
