#include "settings/info_popup.h"

#include <QFontMetrics>
#include <QPainter>

#include "platform/fonts.h"
#include "platform/gdi.h"
#include "resources/resources.h"
#include "settings/popup_frame.h"

namespace settings {

namespace {

constexpr int kOffsetX = 324;
constexpr int kOffsetY = 263;
constexpr int kCloseButtonX = 320;
constexpr int kCaptionBand = 35;
constexpr int kLinePoints = 14;

struct InfoLine {
    int stringId;
    QRgb colour;
    int y;
};

// Release date, version, and the maker's name and notice; each centred across the window.
constexpr InfoLine kLines[] = {
    {103, qRgb(255, 255, 255), 104},
    {106, qRgb(255, 255, 255), 121},
    {121, qRgb(150, 150, 150), 190},
    {122, qRgb(150, 150, 150), 220},
};

} // namespace

InfoPopup::InfoPopup(QWidget* parent) : platform::Dialog(resources::Dialog(kDialogId), parent) {
    setSwallowedKeys(platform::kSwallowPopupKeys);
    setCaptionBand(kCaptionBand);
    Create();
}

bool InfoPopup::OnInitDialog() {
    PlaceCloseButton(*this, kCloseButtonId, kCloseButtonX);
    DrawPicture();
    return true;
}

void InfoPopup::DrawPicture() {
    picture_ = QImage(size(), QImage::Format_RGB32);
    QPainter painter(&picture_);
    DrawPopupFace(painter, picture_.size());
    DrawPopupTitle(painter, "Info");
    const QFont font = platform::WinFont("Tahoma", kLinePoints);
    const QFontMetrics metrics(font);
    painter.setFont(font);
    for (const InfoLine& line : kLines) {
        const char* text = resources::String(line.stringId);
        const int textWidth = metrics.horizontalAdvance(QString::fromUtf8(text));
        painter.setPen(QColor(line.colour));
        platform::TextOut(painter, (picture_.width() - textWidth) / 2, line.y, text);
    }
}

void InfoPopup::Place(int ownerX, int ownerY) {
    move(ownerX + kOffsetX, ownerY + kOffsetY);
}

bool InfoPopup::OnCommand(int id, platform::UINT code) {
    if (id != kCloseButtonId || code != platform::BN_CLICKED) return false;
    hide();
    return true;
}

void InfoPopup::OnEraseBackground(QPainter& painter) {
    painter.drawImage(0, 0, picture_);
}

} // namespace settings
