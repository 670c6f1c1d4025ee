#pragma once
// What the player asks the viewer through its slots: once at start, and the placement part again
// whenever a video window is told to refresh its place. Player thread only.

#include <array>
#include <cstdint>
#include <optional>

#include "event_reporter.h"

namespace vexplayer {

// Where the two video windows belong: in the main window at its rectangles, or, for a channel
// whose popup is shown, in that popup at the popup rectangle.
struct PlacementSlots {
    std::optional<VideoRectSet> mainRects;    // 17
    std::optional<VideoRectSet> popupRects;   // 29
    std::array<platform::HWND, 2> popupWindows{};   // 25, 28
    std::array<bool, 2> popupShown{};               // 31, 32
};

struct ViewerSlots {
    platform::HWND mainWindow = platform::kNoWindow;   // 10
    PlacementSlots placement;
    int displayWidth = 0;    // 26
    int displayHeight = 0;   // 27
    int volume = 100;        // 30
    int channelCount = 2;    // 34
    bool encryptedView = false;   // 36
    std::uint32_t key = 0;        // 37
};

// In the order 10, 17, 29, 25, 28, 26, 27, 30, 31, 32, 33, 34, 36, 37.
ViewerSlots AskViewerSlots(const EventReporter& reporter);
// 17, 29, 25, 28, 31, 32.
PlacementSlots AskPlacementSlots(const EventReporter& reporter);

} // namespace vexplayer
