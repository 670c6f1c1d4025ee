#include "probe_host.h"

#include <cstdio>

#include "platform/displays.h"
#include "platform/messages.h"
#include "platform/number_text.h"

namespace playerprobe {

namespace {

using namespace vexplayer;
using platform::FormatText;

constexpr VideoRectSet kMainRects{{{24, 88, 480, 360}, {514, 88, 480, 360}}};
constexpr VideoRect kPopupRect{5, 35, 640, 480};
constexpr int kMainWidth = 1020;
constexpr int kMainHeight = 780;
constexpr int kPopupWidth = 650;
constexpr int kPopupHeight = 520;

std::string Rects(const VideoRectSet& set) {
    const VideoRect& a = set.channel[0];
    const VideoRect& b = set.channel[1];
    return FormatText("rects=%d,%d,%d,%d;%d,%d,%d,%d", a.x, a.y, a.width, a.height, b.x, b.y, b.width, b.height);
}

template <class Slot>
void Fill(void* param, Slot value) {
    if (param) *static_cast<Slot*>(param) = value;
}

} // namespace

ProbeHost::ProbeHost(ProbeOptions options) : options_(std::move(options)), mainRects_(kMainRects) {}

ProbeHost::~ProbeHost() = default;

void ProbeHost::createWindows() {
    for (const platform::DisplayMode& display : platform::EnumDisplays()) {
        displayWidth_ += display.width;
        displayHeight_ = display.height;
    }
    if (options_.mainWindow) {
        mainWindow_ = std::make_unique<platform::Window>();
        mainWindow_->setWindowTitle("playerprobe");
        mainWindow_->resize(kMainWidth, kMainHeight);
        mainWindow_->show();
        mainHandle_ = mainWindow_->hwnd();
    }
    for (std::size_t channel = 0; channel < options_.popups.size(); ++channel) {
        if (!options_.popups[channel]) continue;
        auto popup = std::make_unique<platform::Window>();
        popup->resize(kPopupWidth, kPopupHeight);
        popup->show();
        popupHandles_[channel] = popup->hwnd();
        popupRects_.channel[channel] = kPopupRect;
        popupWindows_.push_back(std::move(popup));
    }
}

void ProbeHost::markStart() { start_ = std::chrono::steady_clock::now(); }

double ProbeHost::secondsSinceStart() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

int ProbeHost::Callback(void* instance, void* param, int code) {
    static_cast<ProbeHost*>(instance)->onEvent(param, code);
    return 0;
}

void ProbeHost::print(const std::string& line) {
    std::lock_guard lock(printMutex_);
    if (options_.times)
        std::fputs(FormatText("%s t=%.3f\n", line.c_str(), secondsSinceStart()).c_str(), stdout);
    else
        std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

void ProbeHost::onEvent(void* param, int code) {
    const std::string line = describe(param, code);
    if (!(options_.benchmark && (code == kEventFrame || code == kEventUserDataIndex))) print(line);
    if (code == kEventPlaybackStarted)
        platform::SendNotifyMessage(videoWindow1_, WM_PLAYERWND_COMMAND,
                                    reinterpret_cast<platform::WPARAM>(kGetTimeLength), 0);
    if (code == kEventEndOfFile && (options_.quitAtEnd || options_.benchmark) && command_) command_(kCmdQuit);
    if (code == kEventExited) exited_ = true;
}

// Answers a slot, or takes in what the event carries; then the line to print.
std::string ProbeHost::describe(void* param, int code) {
    const auto value = reinterpret_cast<std::uintptr_t>(param);
    switch (code) {
    case kEventVideoWindow1:
        videoWindow1_ = static_cast<platform::HWND>(value);
        return FormatText("%d hwnd=%u", code, static_cast<unsigned>(value));
    case kEventVideoWindow2: return FormatText("%d hwnd=%u", code, static_cast<unsigned>(value));
    case kEventUserDataIndex: return FormatText("%d index=%u", code, static_cast<unsigned>(value));
    case kEventMainWindowSlot: Fill<HandleSlot>(param, mainHandle_); return FormatText("%d hwnd=%u", code, mainHandle_);
    case kEventMainRectsSlot:
        Fill<AddressSlot>(param, reinterpret_cast<AddressSlot>(&mainRects_));
        return FormatText("%d ", code) + Rects(mainRects_);
    case kEventPopupRectsSlot:
        Fill<AddressSlot>(param, reinterpret_cast<AddressSlot>(&popupRects_));
        return FormatText("%d ", code) + Rects(popupRects_);
    case kEventPopup1Slot:
    case kEventPopup2Slot: {
        const platform::HWND popup = popupHandles_[code == kEventPopup1Slot ? 0 : 1];
        Fill<HandleSlot>(param, popup);
        return FormatText("%d hwnd=%u", code, popup);
    }
    case kEventDisplayWidthSlot: Fill<ValueSlot>(param, displayWidth_); return FormatText("%d width=%d", code, displayWidth_);
    case kEventDisplayHeightSlot:
        Fill<ValueSlot>(param, displayHeight_);
        return FormatText("%d height=%d", code, displayHeight_);
    case kEventVolumeSlot: Fill<ValueSlot>(param, options_.volume); return FormatText("%d volume=%d", code, options_.volume);
    case kEventPopup1ShownSlot:
    case kEventPopup2ShownSlot: {
        const int shown = options_.popups[code == kEventPopup1ShownSlot ? 0 : 1] ? 1 : 0;
        Fill<ValueSlot>(param, shown);
        return FormatText("%d shown=%d", code, shown);
    }
    case kEventNoUserDataSlot: Fill<ValueSlot>(param, 0); return FormatText("%d nouserdata=0", code);
    case kEventChannelCountSlot:
        Fill<ValueSlot>(param, options_.channelCount());
        return FormatText("%d channels=%d", code, options_.channelCount());
    case kEventEncryptedViewSlot: {
        const int mode = options_.key ? 1 : 0;
        Fill<ValueSlot>(param, mode);
        return FormatText("%d encrypted=%d", code, mode);
    }
    case kEventKeySlot: {
        const std::uint32_t key = options_.key.value_or(0);
        Fill<ValueSlot>(param, static_cast<ValueSlot>(key));
        return FormatText("%d key=%u", code, key);
    }
    case kEventStopFlag: stopFlag_ = static_cast<int*>(param); return FormatText("%d", code);
    case kEventEntryCount: {
        const auto* record = static_cast<const EntryCountRecord*>(param);
        return FormatText("%d count=%u", code, record->inner->entryCount);
    }
    case kEventClipLength: return FormatText("%d length=%.2f", code, *static_cast<const float*>(param));
    case kEventFrame: {
        const auto* frame = static_cast<const FrameRecord*>(param);
        ++frameEvents_;
        benchmarkPictures_[0] = frame->channelPictureNumbers[0];
        benchmarkPictures_[1] = frame->channelPictureNumbers[1];
        if (options_.stopAfterFrames > 0 && frameEvents_ == options_.stopAfterFrames)
            if (int* flag = stopFlag_.load()) std::atomic_ref<int>(*flag).store(1);
        return FormatText("%d pos=%.2f bytes=%d pos1=%.3f pos2=%.3f pictures=%u,%u ch1=%s ch2=%s", code,
                      frame->positionSeconds, frame->pictureBytes, frame->channelPositions[0],
                      frame->channelPositions[1], frame->channelPictureNumbers[0], frame->channelPictureNumbers[1],
                      frame->channel1Picture ? "set" : "null", frame->channel2Picture ? "set" : "null");
    }
    case kEventEndOfFile: benchmarkSeconds_ = secondsSinceStart(); return FormatText("%d", code);
    default: return FormatText("%d", code);
    }
}

void ProbeHost::printBenchmark() const {
    if (!options_.benchmark) return;
    const double seconds = benchmarkSeconds_ > 0 ? benchmarkSeconds_ : secondsSinceStart();
    const double fps1 = benchmarkPictures_[0] / seconds;
    const double fps2 = benchmarkPictures_[1] / seconds;
    const std::string line = FormatText(
        "benchmark channel1_fps=%.1f channel2_fps=%.1f total_fps=%.1f pictures1=%u pictures2=%u seconds=%.3f\n",
        fps1, fps2, fps1 + fps2, benchmarkPictures_[0], benchmarkPictures_[1], seconds);
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
}

} // namespace playerprobe
