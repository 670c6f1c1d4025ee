// The library's events: the callback, its dispatch table, the frame and the end of file.
// Everything here runs on the library's threads and must not wait for the user-interface thread.
#include <algorithm>

#include "platform/dialogs.h"
#include "platform/messages.h"
#include "player/player_command.h"
#include "player/player_messages.h"
#include "player/tarn_adap.h"

namespace player {

namespace {

constexpr const char* kCheckDiskMessage = "저장디스크를 확인하여 주십시오.";

platform::HWND HandleValue(void* param) {
    return static_cast<platform::HWND>(reinterpret_cast<std::uintptr_t>(param));
}

// A slot the library hands over for the adapter to fill; a null slot is left alone.
template <typename Slot, typename Value> void Fill(void* param, Value value) {
    if (param) *static_cast<Slot*>(param) = static_cast<Slot>(value);
}

} // namespace

struct PlayerEvents {
    using Handler = void (*)(TarnAdap& adapter, void* param);
    struct Row {
        int code;
        Handler handle;
    };

    static void Frame(TarnAdap& adapter, void* param);
    static void EndOfFile(TarnAdap& adapter, void* param);
    static void EntryCount(TarnAdap& adapter, void* param);
    static void ReadError(TarnAdap& adapter, void* param);

    static constexpr Row kRows[] = {
        {vexplayer::kEventReady, [](TarnAdap& a, void*) { a.SetState(StateId::Ready); }},
        {vexplayer::kEventVideoWindow1, [](TarnAdap& a, void* p) { a.videoWindow1_ = HandleValue(p); }},
        {vexplayer::kEventVideoWindow2, [](TarnAdap& a, void* p) { a.videoWindow2_ = HandleValue(p); }},
        {vexplayer::kEventFrame, Frame},
        {vexplayer::kEventMainWindowSlot,
         [](TarnAdap& a, void* p) { Fill<vexplayer::HandleSlot>(p, a.mainWindow_); }},
        {vexplayer::kEventClipLength,
         [](TarnAdap& a, void* p) {
             if (!p) return;
             const float length = *static_cast<const float*>(p);
             a.clipLength_ = length;
             a.lengthSeconds = TruncateToInt32(length);
         }},
        {vexplayer::kEventExited,
         [](TarnAdap& a, void*) {
             a.ForgetStopFlag();
             a.SetState(StateId::Exited);
         }},
        {vexplayer::kEventMainRectsSlot,
         [](TarnAdap& a, void* p) { Fill<vexplayer::AddressSlot>(p, reinterpret_cast<std::uintptr_t>(&a.rects_.main)); }},
        {vexplayer::kEventPlaybackStarted,
         [](TarnAdap& a, void*) {
             a.SetState(StateId::Playing);
             platform::SendNotifyMessage(a.videoWindow1_.load(), vexplayer::WM_PLAYERWND_COMMAND,
                                         reinterpret_cast<platform::WPARAM>(vexplayer::kGetTimeLength), 0);
         }},
        {vexplayer::kEventEndOfFile, EndOfFile},
        {vexplayer::kEventStopFlag, [](TarnAdap& a, void* p) { a.KeepStopFlag(static_cast<int*>(p)); }},
        {vexplayer::kEventIdle, [](TarnAdap& a, void*) { a.SetState(StateId::Idle); }},
        {vexplayer::kEventEntryCount, EntryCount},
        {vexplayer::kEventUserDataIndex,
         [](TarnAdap& a, void* p) { a.currentIndex_ = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }},
        {vexplayer::kEventPopup1Slot,
         [](TarnAdap& a, void* p) { Fill<vexplayer::HandleSlot>(p, a.channel1PopupWindow.load()); }},
        {vexplayer::kEventDisplayWidthSlot,
         [](TarnAdap& a, void* p) { Fill<vexplayer::ValueSlot>(p, a.displayWidth_.load()); }},
        {vexplayer::kEventDisplayHeightSlot,
         [](TarnAdap& a, void* p) { Fill<vexplayer::ValueSlot>(p, a.displayHeight_.load()); }},
        {vexplayer::kEventPopup2Slot,
         [](TarnAdap& a, void* p) { Fill<vexplayer::HandleSlot>(p, a.channel2PopupWindow.load()); }},
        {vexplayer::kEventPopupRectsSlot,
         [](TarnAdap& a, void* p) { Fill<vexplayer::AddressSlot>(p, reinterpret_cast<std::uintptr_t>(&a.rects_.popup)); }},
        {vexplayer::kEventVolumeSlot, [](TarnAdap& a, void* p) { Fill<vexplayer::ValueSlot>(p, a.volume_.load()); }},
        {vexplayer::kEventPopup1ShownSlot,
         [](TarnAdap& a, void* p) { Fill<vexplayer::ValueSlot>(p, a.channel1PopupShown.load()); }},
        {vexplayer::kEventPopup2ShownSlot,
         [](TarnAdap& a, void* p) { Fill<vexplayer::ValueSlot>(p, a.channel2PopupShown.load()); }},
        {vexplayer::kEventNoUserDataSlot,
         [](TarnAdap& a, void* p) {
             const bool failed = a.CurrentUserData()->parser.Failed();
             a.frames_.SetNoUserData(failed);
             Fill<vexplayer::ValueSlot>(p, failed ? 1 : 0);
         }},
        {vexplayer::kEventChannelCountSlot, [](TarnAdap& a, void* p) { Fill<vexplayer::ValueSlot>(p, a.channelMode.load()); }},
        {vexplayer::kEventReadError, ReadError},
        {vexplayer::kEventEncryptedViewSlot,
         [](TarnAdap& a, void* p) { Fill<vexplayer::ValueSlot>(p, a.encryptedView.load()); }},
        {vexplayer::kEventKeySlot, [](TarnAdap& a, void* p) { Fill<vexplayer::ValueSlot>(p, a.encryptionKey.load()); }},
    };
};

int TarnAdap::OnPlayerEvent(void* instance, void* param, int code) {
    if (const LiveAdapters::Entry entry = LiveAdapters::Enter(reinterpret_cast<LiveAdapters::Token>(instance)))
        entry.adapter()->HandleEvent(param, code);
    return 0;
}

void TarnAdap::HandleEvent(void* param, int code) {
    const auto& rows = PlayerEvents::kRows;
    const auto row = std::find_if(std::begin(rows), std::end(rows), [code](const auto& r) { return r.code == code; });
    if (row != std::end(rows)) row->handle(*this, param);
}

// The frame's position and pictures, and copies of the user data of the current index. While
// Opening the frame belongs to the file being replaced: no entries and position 0.
void PlayerEvents::Frame(TarnAdap& adapter, void* param) {
    if (!param) return;
    const auto& frame = *static_cast<const vexplayer::FrameRecord*>(param);
    const std::shared_ptr<TarnAdap::UserData> userData = adapter.CurrentUserData();
    const std::uint32_t index = adapter.currentIndex_.load();
    const std::uint8_t* gpsEntry = userData->parser.GpsEntry(index);
    const std::uint8_t* gsensorEntry = userData->parser.GSensorEntry(index);
    float position = frame.positionSeconds;
    if (adapter.CurrentStateId() == StateId::Opening) {
        gpsEntry = nullptr;
        gsensorEntry = nullptr;
        position = 0.0f;
    }
    adapter.position_ = position;
    adapter.positionSeconds = TruncateToInt32(position);
    adapter.frames_.PublishPictures(frame.channel1Picture, frame.channel2Picture, adapter.channelMode.load() == 2,
                                    frame.pictureBytes);
    if (adapter.closing_.load()) return;
    adapter.frames_.PublishUserData(userData->parser.Failed(), gpsEntry, gsensorEntry);
    platform::SendNotifyMessage(adapter.mainWindow_, WM_PLAYER_USERDATA, 0, 0);
}

// The clip end is reported only at the last entry; an end of file before it belongs to a file
// being replaced. With an unknown entry count nothing is reported; a clip without entries
// (count 0) ends at once.
void PlayerEvents::EndOfFile(TarnAdap& adapter, void*) {
    adapter.wake_.Set();
    if (adapter.workerStop_.load() != 0) return;
    if (adapter.CurrentStateId() != StateId::Playing) return;
    adapter.SetState(StateId::Ended);
    const std::uint32_t count = adapter.entryCount_.load();
    if (count == TarnUDAT::kUnknownEntryCount) return;
    if (count == 0 || adapter.currentIndex_.load() >= count - 1)
        platform::SendNotifyMessage(adapter.mainWindow_, WM_PLAYER_CLIPEND, 0, kClipEndedAtLastEntry);
}

void PlayerEvents::EntryCount(TarnAdap& adapter, void* param) {
    const auto* record = static_cast<const vexplayer::EntryCountRecord*>(param);
    if (!record || !record->inner) return;
    const std::uint32_t count = record->inner->entryCount;
    adapter.entryCount_ = count;
    adapter.CurrentUserData()->parser.SetEntryCount(count);
}

// The message box is shown by the user-interface thread; the library's thread does not wait.
void PlayerEvents::ReadError(TarnAdap& adapter, void*) {
    TarnState& current = adapter.CurrentState();
    if (current.GetStateId() != static_cast<int>(StateId::Playing)) return;
    current.Stop();
    platform::PostToUiThread([] { platform::MessageBox(nullptr, kCheckDiskMessage, "", platform::MB_OK); });
}

} // namespace player
