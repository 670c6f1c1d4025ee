#pragma once
// Vertical scrolling of a child window taller than the place it is shown in, as a window with a
// vertical scroll bar does on Windows: the range is the content's height, the visible part the
// window's height; scrolling moves the window's controls by the distance scrolled (the bar at
// the right edge stays), and no step goes past either end. Line and page steps come from a rule
// of the owner, asked again whenever the window's height changes. The scroll bar's arrows, its
// track and its thumb, and the mouse wheel (one line per notch, over the window or the bar)
// scroll it. User-interface thread.

#include <QObject>

class QScrollBar;
class QWidget;

namespace platform {

struct ScrollSteps {
    int line = 1;
    int page = 1;
};
// The steps for a content that has this many pixels out of view.
using ScrollStepRule = ScrollSteps (*)(int hidden);

class VerticalScroller : public QObject {
    Q_OBJECT
public:
    VerticalScroller(QWidget* window, int contentHeight, ScrollStepRule rule);

    int position() const { return position_; }
    int maximum() const;          // content height less the window's height, at least 0
    ScrollSteps steps() const { return rule_(maximum()); }
    QScrollBar* bar() const { return bar_; }

    void ScrollTo(int position);  // clamped to 0 .. maximum
    void LineDown() { ScrollTo(position_ + steps().line); }
    void LineUp() { ScrollTo(position_ - steps().line); }
    void PageDown() { ScrollTo(position_ + steps().page); }
    void PageUp() { ScrollTo(position_ - steps().page); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fit();
    void OnBarAction(int action);

    QWidget* window_;
    int contentHeight_;
    ScrollStepRule rule_;
    QScrollBar* bar_;
    int position_ = 0;
    int wheelRest_ = 0;   // wheel movement short of a whole notch
};

} // namespace platform
