#pragma once
// The skinned progress bar: a frame filled from the left in proportion to its position within
// its range; setting the position redraws it.

#include <QWidget>

#include "skin/skin_control.h"

namespace skin {

class SkinProgress : public QWidget, public SkinControl {
    Q_OBJECT
public:
    SkinProgress(int id, std::string name, platform::HWND owner, QWidget* parent);
    QWidget* widget() override { return this; }

    void SetRange(int lower, int upper);
    void SetPos(int position);   // clamped to the range
    int GetPos() const { return position_; }
    void SetBarColour(QColor colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int lower_ = 0;
    int upper_ = 100;
    int position_ = 0;
    QColor bar_{60, 130, 210};
};

} // namespace skin
