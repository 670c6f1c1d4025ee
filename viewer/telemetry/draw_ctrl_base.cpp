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
    PictureChanged();
}

void CDrawCtrlBase::Draw(QPainter& painter) {
    if (HasBitmap()) painter.drawImage(0, 0, bitmap_);
}

QRect CDrawCtrlBase::DrawOnParent(QPainter&) { return {}; }

QRect CDrawCtrlBase::UpdateParentTexts(QPainter& backBuffer, const QImage& parentSkin) {
    const QRect previous = parentTextArea_;
    // The back buffer is an image: what stood there before tells whether anything changed.
    const auto* target = dynamic_cast<const QImage*>(backBuffer.device());
    const QImage before = target && !previous.isEmpty() ? target->copy(previous) : QImage();
    if (!previous.isEmpty()) backBuffer.drawImage(previous.topLeft(), parentSkin, previous);
    backBuffer.save();
    backBuffer.translate(pos());
    const QRect painted = DrawOnParent(backBuffer).translated(pos());
    backBuffer.restore();
    parentTextArea_ = painted;
    if (painted == previous && !before.isNull() && target->copy(previous) == before) return {};
    return previous | painted;
}

void CDrawCtrlBase::OnBitmapSet() {}

bool CDrawCtrlBase::CoversRectangle() const { return true; }

void CDrawCtrlBase::PictureChanged() {
    QImage picture;
    if (HasBitmap()) {
        picture = QImage(bitmap_.size(), QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        QPainter picturePainter(&picture);
        Draw(picturePainter);
    }
    if (picture == picture_) return;
    picture_ = std::move(picture);
    // Opaque only while the picture covers the whole control: then the parent below is not
    // repainted with it.
    setAttribute(Qt::WA_OpaquePaintEvent, !picture_.isNull() && CoversRectangle());
    update();
}

void CDrawCtrlBase::OnPaint(QPainter& painter) {
    if (!picture_.isNull()) painter.drawImage(0, 0, picture_);
}

} // namespace telemetry
