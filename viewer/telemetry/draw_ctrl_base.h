#pragma once
// The base of the main window's drawn controls: a child window that shows a background bitmap,
// sized exactly to it, and whatever its kind draws over it. The controls take no input (clicks go
// through to the main window, which does the hit testing and sets their values).
//
// Drawing: Draw paints the control's whole picture in its own coordinates. When a kind reports
// that its values changed (PictureChanged) the picture is drawn at once and compared with the one
// on screen; only a different picture schedules a repaint, and painting only copies it. A control
// whose picture covers its whole rectangle is opaque, so that its repaint leaves the parent alone.
//
// Texts below the bitmap: some kinds write texts just below their bitmap, outside the control,
// on the main window's surface. The main window lets them into its back buffer with
// UpdateParentTexts whenever such a control changed, and then invalidates the returned area.
//
// User-interface thread only.

#include <QImage>
#include <QRect>

#include "platform/window.h"

class QPainter;

namespace telemetry {

class CDrawCtrlBase : public platform::Window {
public:
    explicit CDrawCtrlBase(QWidget* parent = nullptr);

    // The child window id the parent gave the control (0 until set).
    void SetControlId(int id) { controlId_ = id; }
    int ControlId() const { return controlId_; }

    // Releases the previous background. A null image stops there (the control then draws
    // nothing); otherwise the control takes the image, moves to (x, y) of its parent with exactly
    // the image's size and calls OnBitmapSet.
    void SetBitmap(const QImage& bitmap, int x, int y);
    bool HasBitmap() const { return !bitmap_.isNull(); }
    const QImage& Bitmap() const { return bitmap_; }

    // The whole picture of the control in its own coordinates; without a background nothing.
    virtual void Draw(QPainter& painter);

    // The texts this kind writes below its bitmap, with the painter at the control's top-left
    // corner on the parent's surface. Returns the area painted, in control coordinates.
    virtual QRect DrawOnParent(QPainter& painter);

    // Brings the texts below the bitmap up to date in the parent's back buffer: the area painted
    // last time is restored from parentSkin (the parent's clean picture, same coordinates as the
    // back buffer), then DrawOnParent paints at the control's position. Returns the parent area
    // that changed, to be invalidated.
    QRect UpdateParentTexts(QPainter& backBuffer, const QImage& parentSkin);

protected:
    // Called after a background has been set, before the first picture is drawn; kinds load their
    // further bitmaps here.
    virtual void OnBitmapSet();

    // Whether Draw covers the whole control with opaque pixels (the background bitmap does, for
    // every kind that draws it at the corner).
    virtual bool CoversRectangle() const;

    // The values shown may have changed: draws the picture and schedules a repaint when it differs
    // from the one on screen.
    void PictureChanged();

    void OnPaint(QPainter& painter) override;

private:
    QImage bitmap_;
    QImage picture_;             // the last result of Draw, with transparency where Draw left gaps
    QRect parentTextArea_;       // parent coordinates of the texts last painted below the bitmap
    int controlId_ = 0;
};

} // namespace telemetry
