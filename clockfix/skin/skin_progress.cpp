#include "skin/skin_progress.h"

#include <QPainter>
#include <algorithm>

namespace skin {

SkinProgress::SkinProgress(int id, std::string name, platform::HWND owner, QWidget* parent)
    : QWidget(parent), SkinControl(SkinKind::Progress, id, std::move(name), owner) {}

void SkinProgress::SetRange(int lower, int upper) {
    lower_ = lower;
    upper_ = std::max(lower, upper);
    position_ = std::clamp(position_, lower_, upper_);
    update();
}

void SkinProgress::SetPos(int position) {
    position_ = std::clamp(position, lower_, upper_);
    repaint();
}

void SkinProgress::SetBarColour(QColor colour) {
    bar_ = colour;
    update();
}

void SkinProgress::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect inside = rect().adjusted(1, 1, -1, -1);
    painter.fillRect(inside, faceColour());
    const long long span = static_cast<long long>(upper_) - lower_;
    const int filled = span == 0 ? 0 : static_cast<int>(inside.width() * (static_cast<long long>(position_) - lower_) / span);
    painter.fillRect(QRect(inside.left(), inside.top(), filled, inside.height()), bar_);
    painter.setPen(frameColour());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace skin
