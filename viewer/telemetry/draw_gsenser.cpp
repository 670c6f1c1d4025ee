#include "telemetry/draw_gsenser.h"

#include <QPainter>
#include <array>
#include <charconv>
#include <string>

#include "platform/fonts.h"
#include "platform/gdi.h"

namespace telemetry {
namespace {

struct AxisLook {
    Axis axis;
    const char* label;   // the value is written after it with three decimals
    QPoint textAt;
    QColor textColour;
    QColor traceColour;
};

constexpr std::array<AxisLook, 3> kAxes{{
    {Axis::X, "X : ", {75, 140}, QColor(255, 0, 110), QColor(255, 0, 110)},
    {Axis::Y, "Y : ", {187, 140}, QColor(135, 255, 0), QColor(135, 255, 0)},
    {Axis::Z, "Z : ", {310, 140}, QColor(0, 225, 255), QColor(0, 255, 255)},
}};

// "%.3f" without the process locale's decimal separator.
std::string ValueText(const char* label, float g) {
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, g, std::chars_format::fixed, 3);
    return std::string(label) + std::string(digits, result.ptr);
}

} // namespace

CDrawGSenser::CDrawGSenser(QWidget* parent)
    : CDrawCtrlBase(parent), valueFont_(platform::WinFont("MS Shell Dlg", 9)) {}

void CDrawGSenser::SetSample(std::optional<GSensorSample> sample, bool noUserData) {
    trace_.advance(sample, noUserData);
    PictureChanged();
}

void CDrawGSenser::ResetTrace() {
    trace_.reset();
    PictureChanged();
}

void CDrawGSenser::Draw(QPainter& painter) {
    if (!HasBitmap()) return;
    CDrawCtrlBase::Draw(painter);
    // Values and traces show while the latest sample is drawable.
    const auto& sample = trace_.shownSample();
    if (trace_.noUserData() || !sample) return;
    DrawValues(painter, *sample);
    DrawTraces(painter);
}

void CDrawGSenser::DrawValues(QPainter& painter, const GSensorSample& sample) {
    painter.save();
    painter.setFont(valueFont_);
    for (const AxisLook& look : kAxes) {
        painter.setPen(look.textColour);
        platform::TextOut(painter, look.textAt.x(), look.textAt.y(),
                          ValueText(look.label, sample[static_cast<std::size_t>(look.axis)]));
    }
    painter.restore();
}

void CDrawGSenser::DrawTraces(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const AxisLook& look : kAxes) {
        const auto& points = trace_.drawnTrace(look.axis);
        painter.setPen(QPen(look.traceColour, 1));
        for (std::size_t i = 1; i < points.size(); ++i)
            painter.drawLine(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
    }
    // The newest segments come after all three stored traces.
    for (const AxisLook& look : kAxes) {
        const auto& newest = trace_.newestSegment(look.axis);
        if (!newest) continue;
        painter.setPen(QPen(look.traceColour, 1));
        painter.drawLine(newest->from.x, newest->from.y, newest->to.x, newest->to.y);
    }
    painter.restore();
}

} // namespace telemetry
