#include "telemetry/draw_ctrl_base.h"

#include <QPainter>

namespace telemetry {

CDrawCtrlBase::CDrawCtrlBase(QWidget* parent) : platform::Window(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CDrawCtrlBase::SetBitmap(const QImage& bitmap, int x, int y) {
    bitmap_ = QImage();
    PictureChanged();
    if (bitmap.isNull()) return;
    bitmap_ = bitmap;
    MoveWindow(x, y, bitmap_.width(), bitmap_.height());
    OnBitmapSet();
}

void CDrawCtrlBase::Draw(QPainter& painter) {
    if (HasBitmap()) painter.drawImage(0, 0, bitmap_);
}

QRect CDrawCtrlBase::DrawOnParent(QPainter&) { return {}; }

QRect CDrawCtrlBase::UpdateParentTexts(QPainter& backBuffer, const QImage& parentSkin) {
    const QRect previous = parentTextArea_;
    if (!previous.isEmpty()) backBuffer.drawImage(previous.topLeft(), parentSkin, previous);
    backBuffer.save();
    backBuffer.translate(pos());
    const QRect painted = DrawOnParent(backBuffer).translated(pos());
    backBuffer.restore();
    parentTextArea_ = painted;
    return previous | painted;
}

void CDrawCtrlBase::OnBitmapSet() {}

void CDrawCtrlBase::PictureChanged() {
    pictureStale_ = true;
    update();
}

void CDrawCtrlBase::OnPaint(QPainter& painter) {
    if (!HasBitmap()) return;
    if (pictureStale_) {
        picture_ = QImage(bitmap_.size(), QImage::Format_ARGB32_Premultiplied);
        picture_.fill(Qt::transparent);
        QPainter picturePainter(&picture_);
        Draw(picturePainter);
        pictureStale_ = false;
    }
    painter.drawImage(0, 0, picture_);
}

} // namespace telemetry
