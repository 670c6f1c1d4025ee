#pragma once
// An owner-drawn button that paints a normal bitmap, and a pressed one while held. A click sends
// WM_COMMAND (id, BN_CLICKED) to the parent window. Without bitmaps it paints nothing.

#include <QImage>

#include "platform/window.h"

namespace platform {

class BitmapButton : public Window {
    Q_OBJECT
public:
    BitmapButton(int id, QWidget* parent);

    int controlId() const { return id_; }
    void LoadBitmaps(const QImage& normal, const QImage& pressed = {});
    // Sizes the button to its normal bitmap.
    void SizeToContent();
    bool isPressedLook() const { return down_; }

    // Simulates a user click (press and release inside) when the button is visible and enabled.
    void Click();

protected:
    void OnPaint(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void notifyParent();

    int id_;
    QImage normal_;
    QImage pressed_;
    bool down_ = false;
    bool held_ = false;   // the left button went down on this button and is still held
};

} // namespace platform
