#pragma once
// The GPS panel beside the video: the speed as three digit pictures, the heading as a needle on
// the dial, and the latitude and longitude written below the panel on the main window.

#include <QFont>
#include <array>
#include <string>
#include <string_view>

#include "telemetry/draw_ctrl_base.h"
#include "telemetry/heading.h"
#include "telemetry/speed_readout.h"

namespace telemetry {

class CDrawGps : public CDrawCtrlBase {
public:
    explicit CDrawGps(QWidget* parent = nullptr);

    // Digits 0..9; a digit outside that range shows no picture.
    void SetSpeedDigits(int hundreds, int tens, int ones);
    // Signed decimal degrees; kept with the degrees padded to three digits (PadPositionText).
    void SetPositionText(std::string_view latitude, std::string_view longitude);
    // The course in whole degrees and the needle's offsets from the dial's centre (x right,
    // y up). No needle is drawn for a course outside 0..360.
    void SetHeading(int course, int x, int y);

    SpeedDigits Speed() const { return speed_; }
    const std::string& LatitudeText() const { return latitudeText_; }
    const std::string& LongitudeText() const { return longitudeText_; }
    int Course() const { return course_; }
    NeedleOffsets Needle() const { return needle_; }

    void Draw(QPainter& painter) override;
    // Latitude and longitude, just below the panel.
    QRect DrawOnParent(QPainter& painter) override;

protected:
    void OnBitmapSet() override;

private:
    void DrawDigit(QPainter& painter, int digit, int x);
    void DrawNeedle(QPainter& painter);

    std::array<QImage, 10> digitPictures_;
    QFont textFont_;
    SpeedDigits speed_;
    int course_ = 0;
    NeedleOffsets needle_;
    std::string latitudeText_;
    std::string longitudeText_;
};

} // namespace telemetry
