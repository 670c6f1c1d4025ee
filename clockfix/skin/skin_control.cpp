#include "skin/skin_control.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "platform/messages.h"

namespace skin {

QImage WithTransparentColour(const QImage& image, QRgb key) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb opaqueKey = key | 0xFF000000;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] | 0xFF000000) == opaqueKey) line[x] = 0;
    }
    return out;
}

SkinControl::SkinControl(SkinKind kind, int id, std::string name, platform::HWND owner)
    : kind_(kind), id_(id), name_(std::move(name)), owner_(owner) {}

void SkinControl::SetColours(QColor text, QColor face, QColor frame) {
    text_ = text;
    face_ = face;
    frame_ = frame;
    widget()->update();
}

void SkinControl::SetStateImages(const QImage& strip, int frames, QRgb transparent) {
    frames_ = std::clamp(frames, 1, 4);
    strip_ = strip.isNull() ? QImage() : WithTransparentColour(strip, transparent);
    widget()->update();
}

void SkinControl::NotifyOwner(platform::UINT code) const {
    platform::SendMessage(owner_, platform::WM_COMMAND,
                          platform::MAKEWPARAM(static_cast<std::uint16_t>(id_), static_cast<std::uint16_t>(code)), 0);
}

void SkinControl::DrawStateImage(QPainter& painter, const QRect& area, ControlState state) const {
    if (strip_.isNull()) return;
    const int frame = std::min(static_cast<int>(state), frames_ - 1);
    const int width = strip_.width() / frames_;
    painter.drawImage(area, strip_, QRect(frame * width, 0, width, strip_.height()));
}

} // namespace skin
