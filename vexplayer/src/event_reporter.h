#pragma once
// The library's side of the callback: reports events and asks the viewer to fill its slots.
// Callers hold no lock while reporting (the viewer may call back into the library).

#include <cstdint>
#include <optional>

#include "contract/vexplayer_contract.h"

namespace vexplayer {

class EventReporter {
public:
    EventReporter() = default;
    EventReporter(PlayerCallback callback, void* instance) : callback_(callback), instance_(instance) {}

    void report(EventCode code, void* param = nullptr) const;
    // Events whose value travels in param itself (3, 4, 24).
    void reportValue(EventCode code, std::uintptr_t value) const;

    // Slots: the fallback stays when the viewer does not fill the slot.
    std::int32_t askValue(EventCode code, std::int32_t fallback) const;
    platform::HWND askHandle(EventCode code) const;
    // 17 and 29: a copy of the rectangles the viewer's slot points to.
    std::optional<VideoRectSet> askRects(EventCode code) const;

private:
    PlayerCallback callback_ = nullptr;
    void* instance_ = nullptr;
};

} // namespace vexplayer
