#pragma once
// The player thread's handle on the two video windows: creates them on the user-interface thread,
// places them, hands them pictures and has them deleted. Nothing here waits for the
// user-interface thread except the creation, and that only until cancelled.

#include <array>
#include <atomic>
#include <functional>
#include <memory>

#include <QImage>

#include "contract/vexplayer_contract.h"

namespace vexplayer {

class CommandQueue;
class PictureSlot;

struct SurfacePlacement {
    platform::HWND parent = platform::kNoWindow;   // main window or video popup
    VideoRect rect{};                              // in the parent's client coordinates
    bool visible = true;
};

class VideoSurfaces {
public:
    static constexpr int kChannels = 2;

    // Both windows, hidden, as children of the main window (top-level windows when it is not a
    // window of this process). Without an application, or when cancelled first, there are none.
    VideoSurfaces(platform::HWND mainWindow, std::shared_ptr<CommandQueue> commands,
                  const std::function<bool()>& cancelled);
    ~VideoSurfaces();   // the windows are deleted on the user-interface thread, later
    VideoSurfaces(const VideoSurfaces&) = delete;
    VideoSurfaces& operator=(const VideoSurfaces&) = delete;

    platform::HWND handle(int channel) const { return surfaces_[channel].window; }
    void place(int channel, const SurfacePlacement& placement);
    // The channel's newest picture; a null image paints black.
    void show(int channel, QImage picture);

private:
    struct Surface {
        platform::HWND window = platform::kNoWindow;
        std::shared_ptr<PictureSlot> picture;
        std::shared_ptr<std::atomic<bool>> repaintQueued;
    };
    std::array<Surface, kChannels> surfaces_;
};

} // namespace vexplayer
