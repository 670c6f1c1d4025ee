#pragma once
// The contract between the viewer and the player library "vexplayer.dll" (libvexplayer.so):
// exports, start arguments, text commands, window messages, callback codes and the records the
// callback hands over. Shared by the viewer's player adapter and the library itself.
//
// Records keep the library's 32-bit layout on 32-bit builds (checked below); on 64-bit builds
// words that hold an address are pointer-sized and the records take their natural layout.
// Window handles are 32-bit ids on every build.

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "platform/win_types.h"

namespace vexplayer {

// ---- Exports -------------------------------------------------------------------------------
inline constexpr const char* kLibraryName = "vexplayer.dll";
inline constexpr const char* kExportVelmo = "Velmo";
inline constexpr const char* kExportSetInst = "setInst@4";
inline constexpr const char* kExportSetW = "setW@4";
inline constexpr const char* kExportCmdDirect = "cmd_direct";

// The callback: instance is what setInst was given, param depends on the code, the result means
// nothing. Called from the library's threads.
using PlayerCallback = int (*)(void* instance, void* param, int code);

using VelmoFn = int (*)(int argc, char** argv);       // runs the player until it exits
using SetInstFn = void (*)(void* instance);           // once after loading
using SetWFn = void (*)(PlayerCallback callback);     // once, after setInst
using CmdDirectFn = int (*)(const char* text);        // one text command; result ignored

// ---- Start arguments -----------------------------------------------------------------------
inline constexpr int kVelmoArgc = 7;
inline constexpr const char* kVelmoArg0 = "mplayer";
inline constexpr const char* kVelmoArg1 = "-vo";
inline constexpr const char* kVelmoArg2 = "directx:noaccel";
inline constexpr const char* kVelmoArg3 = "-autosync";
inline constexpr const char* kVelmoArg4 = "0";
inline constexpr int kVelmoArgChannel1 = 5;
inline constexpr int kVelmoArgChannel2 = 6;

// ---- Text commands (printf formats) --------------------------------------------------------
inline constexpr const char* kCmdLoadFile = "tarn_loadfile \"%s\" \"%s\"";  // paths with '/'
inline constexpr const char* kCmdPause = "pause";                           // toggle
inline constexpr const char* kCmdStop = "pt_step 1 1";
inline constexpr const char* kCmdSeekRelative = "seek %.2f";
inline constexpr const char* kCmdSeekAbsolute = "seek %.2f 2";
inline constexpr const char* kCmdSpeedIncr = "speed_incr %.2f";
inline constexpr const char* kCmdSpeedMult = "speed_mult %.2f";
inline constexpr const char* kCmdSpeedSet = "speed_set %.2f 2";
inline constexpr const char* kCmdVolume = "volume %d 2";                    // 0..100
inline constexpr const char* kCmdQuit = "quit";
inline constexpr std::size_t kCommandBufferSize = 256;   // a command and its NUL must fit

// ---- Window messages -----------------------------------------------------------------------
// To the channel-1 video window:
inline constexpr platform::UINT WM_PLAYERWND_COMMAND = 0x600;     // wParam: const char* "get_time_length"
inline constexpr platform::UINT WM_PLAYERWND_OWNERMOVED = 0x660;  // after the owner's WM_MOVE
inline constexpr platform::UINT WM_PLAYERWND_FRAMESTEP = 0x670;   // one frame forward
// To a channel's video window, in this order, after its rectangle changed:
inline constexpr platform::UINT WM_PLAYERWND_PLACE = 0x690;
inline constexpr platform::UINT WM_PLAYERWND_SHOW = 0x760;
// From the library to the main window: wParam 1 or 2, show that channel in its popup.
inline constexpr platform::UINT WM_PLAYER_POPUP = 0x750;
inline constexpr const char* kGetTimeLength = "get_time_length";

// ---- Callback codes ------------------------------------------------------------------------
enum EventCode : int {
    kEventReady = 0,               // player ready
    kEventVideoWindow1 = 3,        // param = channel-1 video window handle (value)
    kEventVideoWindow2 = 4,        // param = channel-2 video window handle (value)
    kEventFrame = 6,               // param -> FrameRecord
    kEventMainWindowSlot = 10,     // param -> HandleSlot: main window handle
    kEventClipLength = 14,         // param -> float clip length in seconds
    kEventExited = 16,             // player exited
    kEventMainRectsSlot = 17,      // param -> AddressSlot: address of the main VideoRectSet
    kEventPlaybackStarted = 18,
    kEventEndOfFile = 20,
    kEventStopFlag = 21,           // param -> int the viewer sets to 1 to stop the player
    kEventIdle = 22,
    kEventEntryCount = 23,         // param -> EntryCountRecord
    kEventUserDataIndex = 24,      // param = current user-data index (value)
    kEventPopup1Slot = 25,         // param -> HandleSlot: channel-1 popup window handle
    kEventDisplayWidthSlot = 26,   // param -> ValueSlot: total display width
    kEventDisplayHeightSlot = 27,  // param -> ValueSlot: display height
    kEventPopup2Slot = 28,         // param -> HandleSlot: channel-2 popup window handle
    kEventPopupRectsSlot = 29,     // param -> AddressSlot: address of the popup VideoRectSet
    kEventVolumeSlot = 30,         // param -> ValueSlot: volume 0..100
    kEventPopup1ShownSlot = 31,    // param -> ValueSlot: channel-1 popup shown
    kEventPopup2ShownSlot = 32,    // param -> ValueSlot: channel-2 popup shown
    kEventNoUserDataSlot = 33,     // param -> ValueSlot: 1 when the file has no user data
    kEventChannelCountSlot = 34,   // param -> ValueSlot: 1 or 2
    kEventReadError = 35,          // read error while playing
    kEventEncryptedViewSlot = 36,  // param -> ValueSlot: encryption view mode
    kEventKeySlot = 37,            // param -> ValueSlot: its 32-bit key
};

// ---- Slots the viewer fills ----------------------------------------------------------------
using ValueSlot = std::int32_t;
using HandleSlot = platform::HWND;
using AddressSlot = std::uintptr_t;   // holds the address of a VideoRectSet

// ---- Records -------------------------------------------------------------------------------
// Aligned so that one channel's rectangle is read and written as one atomic 64-bit word.
struct alignas(8) VideoRect {
    std::uint16_t x, y, width, height;
};

// Per channel x, y, width, height as 16-bit values, channel 1 first. The viewer writes a set on
// its own thread while the library copies it on another: both sides go through the two calls
// below, so that each channel's rectangle is handed over whole (the viewer sets the channels
// one at a time, so a copy may hold one channel's new rectangle beside the other's old one).
struct VideoRectSet {
    VideoRect channel[2];
};

inline void StoreVideoRect(VideoRectSet& set, int channel, VideoRect rect) {
    std::atomic_ref<VideoRect>(set.channel[channel]).store(rect, std::memory_order_release);
}

inline VideoRectSet LoadVideoRectSet(const VideoRectSet& set) {
    VideoRectSet copy;
    for (int channel = 0; channel < 2; ++channel)
        copy.channel[channel] =
            std::atomic_ref<VideoRect>(const_cast<VideoRect&>(set.channel[channel])).load(std::memory_order_acquire);
    return copy;
}

inline constexpr int kFrameWidth = 640;
inline constexpr int kFrameHeight = 480;
inline constexpr int kFrameBytesPerPixel = 4;   // the display's 32-bit format: B, G, R, unused
inline constexpr int kFramePictureBytes = kFrameWidth * kFrameHeight * kFrameBytesPerPixel;

// Event 6. The pictures belong to the library and stay valid until the next frame event.
// The first 16 bytes are the library's own additions (for diagnostics and benchmarks); the
// viewer does not need them.
struct FrameRecord {
    std::uint32_t channelPictureNumbers[2];   // offset 0: pictures of each channel since the file opened
    float channelPositions[2];                // offset 8: position of each channel's picture (s)
    std::uint8_t reserved[28];
    float positionSeconds;                 // offset 44
    std::int32_t pictureBytes;             // offset 48: bytes of one picture
    const std::uint8_t* channel1Picture;   // offset 52 on 32-bit builds
    const std::uint8_t* channel2Picture;   // offset 56 on 32-bit builds (null in one-channel mode)
};

// Event 23: the word at offset 20 points to the record whose word at offset 80 is the clip's
// number of user-data entries.
struct EntryCountInner {
    std::uint8_t reserved[80];
    std::uint32_t entryCount;              // offset 80
};
struct EntryCountRecord {
    std::uint8_t reserved[20];
    const EntryCountInner* inner;          // offset 20 on 32-bit builds
};

static_assert(offsetof(FrameRecord, channelPositions) == 8);
static_assert(offsetof(FrameRecord, positionSeconds) == 44);
static_assert(offsetof(FrameRecord, pictureBytes) == 48);
static_assert(offsetof(EntryCountInner, entryCount) == 80);
static_assert(sizeof(VideoRect) == 8 && sizeof(VideoRectSet) == 16);
static_assert(std::atomic_ref<VideoRect>::is_always_lock_free);
static_assert(sizeof(HandleSlot) == 4 && sizeof(ValueSlot) == 4);
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(FrameRecord, channel1Picture) == 52);
static_assert(offsetof(FrameRecord, channel2Picture) == 56);
static_assert(offsetof(EntryCountRecord, inner) == 20);
static_assert(sizeof(AddressSlot) == 4);
#endif

} // namespace vexplayer
