#include "video_window.h"

#include <QPainter>
#include <cstring>
#include <string_view>

#include "command_queue.h"
#include "platform/messages.h"
#include "contract/vexplayer_contract.h"

namespace vexplayer {

void PictureSlot::set(QImage picture) {
    std::lock_guard lock(mutex_);
    picture_ = std::move(picture);
}

QImage PictureSlot::get() const {
    std::lock_guard lock(mutex_);
    return picture_;
}

VideoWindow::VideoWindow(QWidget* parent, platform::HWND mainWindow, int channel, std::shared_ptr<PictureSlot> picture,
                         std::shared_ptr<CommandQueue> commands)
    : platform::Window(parent),
      mainWindow_(mainWindow),
      channel_(channel),
      picture_(std::move(picture)),
      commands_(std::move(commands)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

template <class Request>
void VideoWindow::forwardLater(Request request) const {
    platform::PostToUiThread([commands = commands_, request] { commands->push(request); });
}

platform::LRESULT VideoWindow::WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) {
    switch (msg) {
    case WM_PLAYERWND_COMMAND: {
        const auto* text = reinterpret_cast<const char*>(wParam);
        if (text && std::string_view(text, ::strnlen(text, kCommandBufferSize)) == kGetTimeLength)
            forwardLater(ReportClipLength{});
        return 0;
    }
    case WM_PLAYERWND_OWNERMOVED: forwardLater(FollowOwner{}); return 0;
    case WM_PLAYERWND_FRAMESTEP: forwardLater(StepFrame{}); return 0;
    case WM_PLAYERWND_PLACE:
    case WM_PLAYERWND_SHOW: forwardLater(RefreshPlacement{channel_}); return 0;
    case platform::WM_MOVE: return 0;
    case platform::WM_LBUTTONDBLCLK:
        platform::PostMessage(mainWindow_, WM_PLAYER_POPUP, static_cast<platform::WPARAM>(channel_ + 1), 0);
        return 0;
    default: return platform::Window::WindowProc(msg, wParam, lParam);
    }
}

void VideoWindow::OnEraseBackground(QPainter& painter) { painter.fillRect(rect(), Qt::black); }

void VideoWindow::OnPaint(QPainter& painter) {
    const QImage picture = picture_->get();
    if (!picture.isNull()) painter.drawImage(rect(), picture);
}

} // namespace vexplayer
