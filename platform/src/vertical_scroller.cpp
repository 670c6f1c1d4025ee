#include "platform/vertical_scroller.h"

#include <QEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>

namespace platform {

namespace {
constexpr int kWheelNotch = 120;
} // namespace

VerticalScroller::VerticalScroller(QWidget* window, int contentHeight, ScrollStepRule rule)
    : QObject(window), window_(window), contentHeight_(contentHeight), rule_(rule),
      bar_(new QScrollBar(Qt::Vertical, window)) {
    connect(bar_, &QAbstractSlider::actionTriggered, this, &VerticalScroller::OnBarAction);
    connect(bar_, &QAbstractSlider::valueChanged, this, &VerticalScroller::ScrollTo);
    window_->installEventFilter(this);
    bar_->installEventFilter(this);
    Fit();
}

int VerticalScroller::maximum() const { return std::max(0, contentHeight_ - window_->height()); }

void VerticalScroller::ScrollTo(int position) {
    const int target = std::clamp(position, 0, maximum());
    const int delta = target - position_;
    position_ = target;
    if (delta != 0) {
        for (QObject* child : window_->children()) {
            auto* control = qobject_cast<QWidget*>(child);
            if (control && control != bar_ && !control->isWindow()) control->move(control->pos() - QPoint(0, delta));
        }
    }
    if (bar_->value() != position_) bar_->setValue(position_);
}

bool VerticalScroller::eventFilter(QObject* watched, QEvent* event) {
    // A hidden window gets its resize event only when shown.
    if (watched == window_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
        Fit();
    } else if (event->type() == QEvent::Wheel) {
        wheelRest_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
        const int notches = wheelRest_ / kWheelNotch;
        wheelRest_ -= notches * kWheelNotch;
        ScrollTo(position_ - notches * steps().line);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void VerticalScroller::Fit() {
    const int visible = window_->height();
    const int barWidth = bar_->sizeHint().width();
    bar_->setGeometry(window_->width() - barWidth, 0, barWidth, visible);
    bar_->setRange(0, maximum());
    bar_->setPageStep(std::max(1, visible));   // the thumb shows the visible part
    bar_->setSingleStep(steps().line);
    bar_->setVisible(maximum() > 0);
    bar_->raise();
    ScrollTo(position_);
}

void VerticalScroller::OnBarAction(int action) {
    // The bar has already moved by its own steps; the owner's steps replace them.
    int target = bar_->sliderPosition();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: target = position_ + steps().line; break;
    case QAbstractSlider::SliderSingleStepSub: target = position_ - steps().line; break;
    case QAbstractSlider::SliderPageStepAdd: target = position_ + steps().page; break;
    case QAbstractSlider::SliderPageStepSub: target = position_ - steps().page; break;
    case QAbstractSlider::SliderToMinimum: target = 0; break;
    case QAbstractSlider::SliderToMaximum: target = maximum(); break;
    default: break;   // SliderMove: the thumb's own position
    }
    bar_->setSliderPosition(std::clamp(target, 0, maximum()));
}

} // namespace platform
