#include "video_surfaces.h"

#include "command_queue.h"
#include "platform/messages.h"
#include "ui_call.h"
#include "video_window.h"

namespace vexplayer {

VideoSurfaces::VideoSurfaces(platform::HWND mainWindow, std::shared_ptr<CommandQueue> commands,
                             const std::function<bool()>& cancelled) {
    for (Surface& surface : surfaces_) {
        surface.picture = std::make_shared<PictureSlot>();
        surface.repaintQueued = std::make_shared<std::atomic<bool>>(false);
    }
    auto created = std::make_shared<std::array<platform::HWND, kChannels>>();
    const auto pictures = std::array{surfaces_[0].picture, surfaces_[1].picture};
    const bool ran = RunOnUiThreadUnlessCancelled(
        [=] {
            QWidget* parent = platform::FromHandle(mainWindow);
            for (int channel = 0; channel < kChannels; ++channel) {
                auto* window = new VideoWindow(parent, mainWindow, channel, pictures[channel], commands);
                window->hide();
                (*created)[channel] = window->hwnd();
            }
        },
        cancelled);
    if (!ran) return;
    for (int channel = 0; channel < kChannels; ++channel) surfaces_[channel].window = (*created)[channel];
}

VideoSurfaces::~VideoSurfaces() {
    const std::array windows{surfaces_[0].window, surfaces_[1].window};
    platform::PostToUiThread([windows] {
        for (platform::HWND window : windows) delete platform::FromHandle(window);
    });
}

void VideoSurfaces::place(int channel, const SurfacePlacement& placement) {
    const platform::HWND window = surfaces_[channel].window;
    if (window == platform::kNoWindow) return;
    platform::PostToUiThread([window, placement] {
        platform::Window* video = platform::FromHandle(window);
        if (!video) return;
        QWidget* parent = platform::FromHandle(placement.parent);
        if (parent && video->parentWidget() != parent) video->setParent(parent);
        const VideoRect& r = placement.rect;
        video->MoveWindow(r.x, r.y, r.width, r.height);
        video->setVisible(placement.visible);
        if (placement.visible && !video->isWindow()) video->raise();
    });
}

void VideoSurfaces::show(int channel, QImage picture) {
    Surface& surface = surfaces_[channel];
    if (surface.window == platform::kNoWindow) return;
    surface.picture->set(std::move(picture));
    if (surface.repaintQueued->exchange(true)) return;
    platform::PostToUiThread([window = surface.window, queued = surface.repaintQueued] {
        queued->store(false);
        if (platform::Window* video = platform::FromHandle(window)) video->update();
    });
}

} // namespace vexplayer
