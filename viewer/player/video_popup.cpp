#include "player/video_popup.h"

#include <QPainter>

#include "platform/bitmap_button.h"
#include "platform/messages.h"
#include "player/player_messages.h"
#include "resources/resources.h"

namespace player {

namespace {
constexpr int kOffsetX = 185;
constexpr int kOffsetY = 130;
constexpr int kCaptionBand = 35;
constexpr int kCloseBitmap = 207;
constexpr int kClosePressedBitmap = 209;
constexpr int kCloseX = 598;
constexpr int kCloseWidth = 45;
constexpr int kCloseHeight = 25;
const QColor kBorderGrey(150, 150, 150);
} // namespace

VideoPopup::VideoPopup(const VideoPopupKind& kind, platform::HWND owner, QWidget* parent)
    : platform::Dialog(resources::Dialog(kind.dialogId), parent), kind_(kind), owner_(owner) {
    setSwallowedKeys(platform::kSwallowPopupKeys);
    setCaptionBand(kCaptionBand);
    Create();
}

bool VideoPopup::OnInitDialog() {
    picture_ = QImage(kWidth, kHeight, QImage::Format_RGB32);
    picture_.fill(Qt::black);
    QPainter frame(&picture_);
    frame.setPen(kBorderGrey);
    frame.drawRect(0, 0, kWidth - 1, kHeight - 1);
    return true;
}

void VideoPopup::PlacePopup(int mainX, int mainY) {
    MoveWindow(mainX + kOffsetX, mainY + kOffsetY, kWidth, kHeight);
    if (platform::BitmapButton* close = bitmapButton(kind_.closeButtonId)) {
        close->LoadBitmaps(resources::Bitmap(kCloseBitmap), resources::Bitmap(kClosePressedBitmap));
        close->SizeToContent();
        close->MoveWindow(kCloseX, 0, kCloseWidth, kCloseHeight);
    }
}

void VideoPopup::SetShown(int state) {
    if (state == shown_) return;
    shown_ = state;
    setVisible(state == kShown);
}

bool VideoPopup::OnCommand(int id, platform::UINT code) {
    if (id != kind_.closeButtonId || code != platform::BN_CLICKED) return false;
    SetShown(kHidden);
    platform::SendMessage(owner_, WM_POPUP_CLOSED, static_cast<platform::WPARAM>(kind_.channel), 0);
    return true;
}

platform::LRESULT VideoPopup::WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) {
    const platform::LRESULT result = platform::Dialog::WindowProc(msg, wParam, lParam);
    // The library's video window follows the popup.
    if (msg == platform::WM_MOVE && ownerMoved_) ownerMoved_();
    return result;
}

void VideoPopup::OnEraseBackground(QPainter& painter) {
    painter.drawImage(0, 0, picture_);
}

} // namespace player
