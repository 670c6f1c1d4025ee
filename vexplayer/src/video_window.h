#pragma once
// A channel's video window: a child of the viewer's main window (or of a video popup) that paints
// the channel's newest picture scaled to its rectangle and passes the viewer's window messages on
// to the player thread. A double click asks the main window for the channel's popup. The window
// lives on the user-interface thread.

#include <memory>
#include <mutex>

#include <QImage>

#include "platform/window.h"

namespace vexplayer {

class CommandQueue;

// The newest picture of a channel: written by the player thread, painted by the window.
class PictureSlot {
public:
    void set(QImage picture);
    QImage get() const;

private:
    mutable std::mutex mutex_;
    QImage picture_;
};

class VideoWindow : public platform::Window {
public:
    VideoWindow(QWidget* parent, platform::HWND mainWindow, int channel, std::shared_ptr<PictureSlot> picture,
                std::shared_ptr<CommandQueue> commands);

    platform::LRESULT WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) override;

protected:
    void OnEraseBackground(QPainter& painter) override;
    void OnPaint(QPainter& painter) override;

private:
    // Handed over once the message that caused it has been handled, so that what the viewer
    // does right after sending it (setting a popup flag) is seen by the player thread.
    template <class Request> void forwardLater(Request request) const;

    platform::HWND mainWindow_;
    int channel_;
    std::shared_ptr<PictureSlot> picture_;
    std::shared_ptr<CommandQueue> commands_;
};

} // namespace vexplayer
