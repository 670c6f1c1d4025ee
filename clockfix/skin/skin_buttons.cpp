#include "skin/skin_buttons.h"

#include <QPainter>

namespace skin {
namespace {

constexpr int kMarkSize = 13;

void DrawCaption(QPainter& painter, const QRect& area, const QString& text, QColor colour, int flags) {
    painter.setPen(colour);
    painter.drawText(area, flags | Qt::TextSingleLine, text);
}

QColor Dimmed(QColor colour) { return QColor(colour.red(), colour.green(), colour.blue(), 110); }

} // namespace

SkinButtonBase::SkinButtonBase(SkinKind kind, int id, std::string name, platform::HWND owner, QWidget* parent)
    : QAbstractButton(parent), SkinControl(kind, id, std::move(name), owner) {
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::clicked, this, [this] { NotifyOwner(platform::BN_CLICKED); });
}

ControlState SkinButtonBase::state() const {
    if (!isEnabled()) return ControlState::Disabled;
    if (isDown()) return ControlState::Pressed;
    return hovered_ ? ControlState::Hover : ControlState::Normal;
}

void SkinButtonBase::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void SkinButtonBase::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

SkinButton::SkinButton(int id, std::string name, platform::HWND owner, QWidget* parent)
    : SkinButtonBase(SkinKind::Button, id, std::move(name), owner, parent) {}

void SkinButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ControlState now = state();
    if (hasStateImages()) {
        DrawStateImage(painter, rect(), now);
    } else {
        painter.fillRect(rect(), now == ControlState::Pressed ? faceColour().darker(120) : faceColour());
        painter.setPen(frameColour());
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    const QRect textArea = now == ControlState::Pressed ? rect().translated(1, 1) : rect();
    DrawCaption(painter, textArea, text(), isEnabled() ? textColour() : Dimmed(textColour()), Qt::AlignCenter);
}

SkinCheck::SkinCheck(int id, std::string name, platform::HWND owner, QWidget* parent)
    : SkinButtonBase(SkinKind::Check, id, std::move(name), owner, parent) {
    setCheckable(true);
}

void SkinCheck::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect box(0, (height() - kMarkSize) / 2, kMarkSize, kMarkSize);
    painter.fillRect(box, faceColour());
    painter.setPen(frameColour());
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (isChecked()) {
        painter.setPen(QPen(textColour(), 2));
        painter.drawLine(box.left() + 3, box.center().y(), box.center().x(), box.bottom() - 3);
        painter.drawLine(box.center().x(), box.bottom() - 3, box.right() - 2, box.top() + 3);
    }
    DrawCaption(painter, rect().adjusted(kMarkSize + 4, 0, 0, 0), text(),
                isEnabled() ? textColour() : Dimmed(textColour()), Qt::AlignLeft | Qt::AlignVCenter);
}

SkinRadio::SkinRadio(int id, std::string name, platform::HWND owner, std::uint32_t style, QWidget* parent)
    : SkinButtonBase(SkinKind::Radio, id, std::move(name), owner, parent), style_(style) {
    setCheckable(true);
    setAutoExclusive(false);
}

void SkinRadio::nextCheckState() {
    // A click checks, never unchecks, and takes the check from the rest of the group.
    if (isChecked()) return;
    setChecked(true);
    if (groupHandler_) groupHandler_(this);
}

void SkinRadio::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF dot(0.5, (height() - kMarkSize) / 2 + 0.5, kMarkSize - 1, kMarkSize - 1);
    painter.setPen(frameColour());
    painter.setBrush(faceColour());
    painter.drawEllipse(dot);
    if (isChecked()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(textColour());
        painter.drawEllipse(dot.adjusted(3, 3, -3, -3));
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawCaption(painter, rect().adjusted(kMarkSize + 4, 0, 0, 0), text(),
                isEnabled() ? textColour() : Dimmed(textColour()), Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace skin
