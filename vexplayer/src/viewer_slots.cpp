#include "viewer_slots.h"

namespace vexplayer {

namespace {

bool AskFlag(const EventReporter& reporter, EventCode code) { return reporter.askValue(code, 0) != 0; }

void AskRectsAndPopups(const EventReporter& reporter, PlacementSlots& placement) {
    placement.mainRects = reporter.askRects(kEventMainRectsSlot);
    placement.popupRects = reporter.askRects(kEventPopupRectsSlot);
    placement.popupWindows[0] = reporter.askHandle(kEventPopup1Slot);
    placement.popupWindows[1] = reporter.askHandle(kEventPopup2Slot);
}

void AskPopupFlags(const EventReporter& reporter, PlacementSlots& placement) {
    placement.popupShown[0] = AskFlag(reporter, kEventPopup1ShownSlot);
    placement.popupShown[1] = AskFlag(reporter, kEventPopup2ShownSlot);
}

} // namespace

ViewerSlots AskViewerSlots(const EventReporter& reporter) {
    ViewerSlots slots;
    slots.mainWindow = reporter.askHandle(kEventMainWindowSlot);
    AskRectsAndPopups(reporter, slots.placement);
    slots.displayWidth = reporter.askValue(kEventDisplayWidthSlot, 0);
    slots.displayHeight = reporter.askValue(kEventDisplayHeightSlot, 0);
    slots.volume = reporter.askValue(kEventVolumeSlot, slots.volume);
    AskPopupFlags(reporter, slots.placement);
    // 33 belongs to the handshake, but the player counts the entries from the file itself.
    reporter.askValue(kEventNoUserDataSlot, 0);
    slots.channelCount = reporter.askValue(kEventChannelCountSlot, slots.channelCount);
    slots.encryptedView = AskFlag(reporter, kEventEncryptedViewSlot);
    slots.key = static_cast<std::uint32_t>(reporter.askValue(kEventKeySlot, 0));
    return slots;
}

PlacementSlots AskPlacementSlots(const EventReporter& reporter) {
    PlacementSlots placement;
    AskRectsAndPopups(reporter, placement);
    AskPopupFlags(reporter, placement);
    return placement;
}

} // namespace vexplayer
