#include "telemetry/draw_gps.h"

#include <QPainter>
#include <algorithm>

#include "platform/fonts.h"
#include "resources/resources.h"
#include "telemetry/opaque_text.h"
#include "telemetry/position_text.h"

namespace telemetry {
namespace {

constexpr int kFirstDigitBitmap = 243;   // digit d is 243 + d
constexpr int kDigitsTop = 41;
constexpr std::array<int, 3> kDigitLefts{51, 66, 81};

constexpr QPoint kDialCentre{73, 192};
const QColor kNeedleColour(120, 255, 255);
constexpr int kNeedleWidth = 3;

constexpr int kTextLeft = 9;
constexpr int kLatitudeBelowPanel = 4;
constexpr int kLongitudeBelowPanel = 21;
const QColor kTextBackground(44, 44, 44);

bool IsDigit(int d) { return d >= 0 && d <= 9; }

} // namespace

CDrawGps::CDrawGps(QWidget* parent)
    : CDrawCtrlBase(parent), textFont_(platform::WinFont("Tahoma", 11.6)) {}

void CDrawGps::SetSpeedDigits(int hundreds, int tens, int ones) {
    const SpeedDigits speed{hundreds, tens, ones};
    if (speed == speed_) return;
    speed_ = speed;
    PictureChanged();
}

void CDrawGps::SetPositionText(std::string_view latitude, std::string_view longitude) {
    latitudeText_ = PadPositionText(latitude);
    longitudeText_ = PadPositionText(longitude);
}

void CDrawGps::SetHeading(int course, int x, int y) {
    const NeedleOffsets needle{x, y};
    if (course == course_ && needle == needle_) return;
    course_ = course;
    needle_ = needle;
    PictureChanged();
}

void CDrawGps::OnBitmapSet() {
    for (int d = 0; d < static_cast<int>(digitPictures_.size()); ++d)
        digitPictures_[static_cast<std::size_t>(d)] = resources::Bitmap(kFirstDigitBitmap + d);
}

void CDrawGps::Draw(QPainter& painter) {
    if (!HasBitmap()) return;
    CDrawCtrlBase::Draw(painter);
    DrawDigit(painter, speed_.hundreds, kDigitLefts[0]);
    DrawDigit(painter, speed_.tens, kDigitLefts[1]);
    DrawDigit(painter, speed_.ones, kDigitLefts[2]);
    if (course_ >= 0 && course_ <= 360) DrawNeedle(painter);
}

void CDrawGps::DrawDigit(QPainter& painter, int digit, int x) {
    if (IsDigit(digit)) painter.drawImage(x, kDigitsTop, digitPictures_[static_cast<std::size_t>(digit)]);
}

void CDrawGps::DrawNeedle(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kNeedleColour, kNeedleWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // Offsets come from the needle table; the clamp only keeps hostile values from overflowing.
    const auto clampOffset = [](int v) { return std::clamp(v, -0x10000, 0x10000); };
    painter.drawLine(kDialCentre, kDialCentre + QPoint(clampOffset(needle_.x), -clampOffset(needle_.y)));
    painter.restore();
}

QRect CDrawGps::DrawOnParent(QPainter& painter) {
    if (!HasBitmap()) return {};
    const int height = Bitmap().height();
    painter.save();
    painter.setFont(textFont_);
    painter.setPen(Qt::white);
    const QRect latitudeCell =
        OpaqueTextOut(painter, {kTextLeft, height + kLatitudeBelowPanel}, latitudeText_, kTextBackground);
    const QRect longitudeCell =
        OpaqueTextOut(painter, {kTextLeft, height + kLongitudeBelowPanel}, longitudeText_, kTextBackground);
    painter.restore();
    return latitudeCell | longitudeCell;
}

} // namespace telemetry
