#include "platform/bitmap_button.h"

#include <QMouseEvent>
#include <QPainter>

#include "command_notify.h"

namespace platform {

BitmapButton::BitmapButton(int id, QWidget* parent) : Window(parent), id_(id) {}

void BitmapButton::LoadBitmaps(const QImage& normal, const QImage& pressed) {
    normal_ = normal;
    pressed_ = pressed;
    update();
}

void BitmapButton::SizeToContent() {
    if (!normal_.isNull()) resize(normal_.size());
}

void BitmapButton::Click() {
    if (!isEnabled() || !isVisibleTo(parentWidget())) return;
    notifyParent();
}

void BitmapButton::OnPaint(QPainter& painter) {
    const QImage& picture = down_ && !pressed_.isNull() ? pressed_ : normal_;
    if (!picture.isNull()) painter.drawImage(0, 0, picture);
}

void BitmapButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) return;
    held_ = true;
    down_ = true;
    update();
}

void BitmapButton::mouseMoveEvent(QMouseEvent* event) {
    if (!held_) return;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside == down_) return;
    down_ = inside;
    update();
}

void BitmapButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !held_) return;
    held_ = false;
    down_ = false;
    update();
    if (rect().contains(event->position().toPoint()) && isEnabled()) notifyParent();
}

void BitmapButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // A button takes the second click of a double-click as one more click.
    mousePressEvent(event);
}

void BitmapButton::notifyParent() {
    // The parent may destroy this button while it handles the command: nothing follows the call.
    detail::NotifyParentCommand(this, id_, BN_CLICKED);
}

} // namespace platform
