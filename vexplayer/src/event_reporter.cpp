#include "event_reporter.h"

namespace vexplayer {

void EventReporter::report(EventCode code, void* param) const {
    if (callback_) callback_(instance_, param, code);
}

void EventReporter::reportValue(EventCode code, std::uintptr_t value) const {
    report(code, reinterpret_cast<void*>(value));
}

std::int32_t EventReporter::askValue(EventCode code, std::int32_t fallback) const {
    ValueSlot slot = fallback;
    report(code, &slot);
    return slot;
}

platform::HWND EventReporter::askHandle(EventCode code) const {
    HandleSlot slot = platform::kNoWindow;
    report(code, &slot);
    return slot;
}

std::optional<VideoRectSet> EventReporter::askRects(EventCode code) const {
    AddressSlot slot = 0;
    report(code, &slot);
    if (slot == 0) return std::nullopt;
    return LoadVideoRectSet(*reinterpret_cast<const VideoRectSet*>(slot));
}

} // namespace vexplayer
