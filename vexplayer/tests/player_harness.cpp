#include "player_harness.h"

#include <QCoreApplication>
#include <stdexcept>

#include "platform/displays.h"
#include "platform/library.h"
#include "platform/messages.h"

namespace vexplayer::testing {

namespace {

struct Entries {
    VelmoFn velmo = nullptr;
    SetInstFn setInst = nullptr;
    SetWFn setW = nullptr;
    CmdDirectFn command = nullptr;
};

const Entries& Library() {
    static const Entries entries = [] {
        platform::HMODULE module = platform::LoadLibraryA(kLibraryName);
        if (!module) throw std::runtime_error("cannot load " + std::string(kLibraryName) + ": " +
                                              platform::LastLibraryError());
        Entries e;
        e.velmo = reinterpret_cast<VelmoFn>(platform::GetProcAddress(module, kExportVelmo));
        e.setInst = reinterpret_cast<SetInstFn>(platform::GetProcAddress(module, kExportSetInst));
        e.setW = reinterpret_cast<SetWFn>(platform::GetProcAddress(module, kExportSetW));
        e.command = reinterpret_cast<CmdDirectFn>(platform::GetProcAddress(module, kExportCmdDirect));
        if (!e.velmo || !e.setInst || !e.setW || !e.command) throw std::runtime_error("an export is missing");
        return e;
    }();
    return entries;
}

template <class Slot>
void Fill(void* param, Slot value) {
    *static_cast<Slot*>(param) = value;
}

} // namespace

PlayerHarness::PlayerHarness(HostSettings settings) : settings_(settings) {
    if (settings_.mainWindow) {
        mainWindow_ = std::make_unique<tripdesk::test::RecorderWindow>();
        mainWindow_->resize(1020, 780);
        mainWindow_->show();
    }
}

PlayerHarness::~PlayerHarness() {
    if (!returned_) {
        command(kCmdQuit);
        if (!waitForReturn(10s)) {
            setStopFlag();
            waitForReturn(60s);
        }
    }
    if (player_.joinable()) player_.join();
    // Let the library's queued window work (deleting its windows) run while our windows live.
    QCoreApplication::processEvents();
}

void PlayerHarness::start(const std::string& channel1, const std::string& channel2) {
    startWithArguments({kVelmoArg0, kVelmoArg1, kVelmoArg2, kVelmoArg3, kVelmoArg4, channel1, channel2});
}

void PlayerHarness::startWithArguments(std::vector<std::string> arguments) {
    const Entries& library = Library();
    library.setInst(this);
    library.setW(&PlayerHarness::Callback);
    returned_ = false;
    player_ = std::thread([this, arguments = std::move(arguments), velmo = library.velmo]() mutable {
        std::vector<char*> argv;
        for (std::string& argument : arguments) argv.push_back(argument.data());
        velmo(static_cast<int>(argv.size()), argv.data());
        returned_ = true;
    });
}

int PlayerHarness::command(const std::string& text) { return Library().command(text.c_str()); }

void PlayerHarness::setStopFlag() {
    if (int* flag = stopFlag_.load()) std::atomic_ref<int>(*flag).store(1);
}

std::optional<std::size_t> PlayerHarness::waitForEvent(int code, std::size_t from, std::chrono::milliseconds timeout) {
    std::optional<std::size_t> found;
    WaitUntil(
        [&] {
            std::lock_guard lock(mutex_);
            for (std::size_t i = from; i < events_.size(); ++i)
                if (events_[i].code == code) {
                    found = i;
                    return true;
                }
            return false;
        },
        timeout);
    return found;
}

std::vector<FrameEvent> PlayerHarness::waitForFrames(std::size_t count, std::size_t from,
                                                     std::chrono::milliseconds timeout) {
    WaitUntil([&] { return frames(from).size() >= count; }, timeout);
    return frames(from);
}

bool PlayerHarness::waitForReturn(std::chrono::milliseconds timeout) {
    return WaitUntil([this] { return returned_.load(); }, timeout);
}

std::vector<Event> PlayerHarness::events() const {
    std::lock_guard lock(mutex_);
    return events_;
}

std::size_t PlayerHarness::eventCount() const {
    std::lock_guard lock(mutex_);
    return events_.size();
}

std::vector<int> PlayerHarness::codes(std::size_t from) const {
    std::lock_guard lock(mutex_);
    std::vector<int> codes;
    for (std::size_t i = from; i < events_.size(); ++i) codes.push_back(events_[i].code);
    return codes;
}

std::vector<FrameEvent> PlayerHarness::frames(std::size_t from) const {
    std::lock_guard lock(mutex_);
    std::vector<FrameEvent> frames;
    for (std::size_t i = from; i < events_.size(); ++i)
        if (events_[i].frame) frames.push_back(*events_[i].frame);
    return frames;
}

std::optional<FrameEvent> PlayerHarness::lastFrame() const {
    const auto all = frames();
    if (all.empty()) return std::nullopt;
    return all.back();
}

platform::Window* PlayerHarness::createPopup(int channel) {
    popups_[channel] = std::make_unique<platform::Window>();
    popups_[channel]->resize(650, 520);
    popups_[channel]->show();
    popupHandles_[channel] = popups_[channel]->hwnd();
    popupRects_.channel[channel] = {5, 35, 640, 480};
    return popups_[channel].get();
}

int PlayerHarness::Callback(void* instance, void* param, int code) {
    static_cast<PlayerHarness*>(instance)->onEvent(param, code);
    return 0;
}

void PlayerHarness::answerSlot(void* param, int code) {
    switch (code) {
    case kEventMainWindowSlot: Fill<HandleSlot>(param, mainWindow_ ? mainWindow_->hwnd() : platform::kNoWindow); break;
    case kEventMainRectsSlot: Fill<AddressSlot>(param, reinterpret_cast<AddressSlot>(&mainRects_)); break;
    case kEventPopupRectsSlot: Fill<AddressSlot>(param, reinterpret_cast<AddressSlot>(&popupRects_)); break;
    case kEventPopup1Slot: Fill<HandleSlot>(param, popupHandles_[0]); break;
    case kEventPopup2Slot: Fill<HandleSlot>(param, popupHandles_[1]); break;
    case kEventDisplayWidthSlot: Fill<ValueSlot>(param, 4096); break;
    case kEventDisplayHeightSlot: Fill<ValueSlot>(param, 2160); break;
    case kEventVolumeSlot: Fill<ValueSlot>(param, settings_.volume); break;
    case kEventPopup1ShownSlot: Fill<ValueSlot>(param, popupShown_[0]); break;
    case kEventPopup2ShownSlot: Fill<ValueSlot>(param, popupShown_[1]); break;
    case kEventNoUserDataSlot: Fill<ValueSlot>(param, 0); break;
    case kEventChannelCountSlot: Fill<ValueSlot>(param, settings_.channels); break;
    case kEventEncryptedViewSlot: Fill<ValueSlot>(param, settings_.key ? 1 : 0); break;
    case kEventKeySlot: Fill<ValueSlot>(param, static_cast<ValueSlot>(settings_.key.value_or(0))); break;
    default: break;
    }
}

void PlayerHarness::onEvent(void* param, int code) {
    Event event;
    event.code = code;
    event.at = std::chrono::steady_clock::now();
    answerSlot(param, code);
    switch (code) {
    case kEventVideoWindow1:
    case kEventVideoWindow2:
        videoWindows_[code == kEventVideoWindow1 ? 0 : 1] = static_cast<platform::HWND>(reinterpret_cast<std::uintptr_t>(param));
        [[fallthrough]];
    case kEventUserDataIndex: event.value = reinterpret_cast<std::uintptr_t>(param); break;
    case kEventStopFlag: stopFlag_ = static_cast<int*>(param); break;
    case kEventPlaybackStarted:   // as the viewer does
        platform::SendNotifyMessage(videoWindows_[0], WM_PLAYERWND_COMMAND,
                                    reinterpret_cast<platform::WPARAM>(kGetTimeLength), 0);
        break;
    case kEventEntryCount: event.entryCount = static_cast<const EntryCountRecord*>(param)->inner->entryCount; break;
    case kEventClipLength: event.clipLength = *static_cast<const float*>(param); break;
    case kEventFrame: {
        const auto* record = static_cast<const FrameRecord*>(param);
        FrameEvent frame;
        frame.position = record->positionSeconds;
        frame.pictureBytes = record->pictureBytes;
        frame.hasPicture1 = record->channel1Picture != nullptr;
        frame.hasPicture2 = record->channel2Picture != nullptr;
        frame.pictureNumbers = {record->channelPictureNumbers[0], record->channelPictureNumbers[1]};
        frame.positions = {record->channelPositions[0], record->channelPositions[1]};
        frame.picture1 = std::make_shared<const PictureSample>(SamplePicture(record->channel1Picture));
        frame.picture2 = std::make_shared<const PictureSample>(SamplePicture(record->channel2Picture));
        event.frame = std::move(frame);
        break;
    }
    default: break;
    }
    std::lock_guard lock(mutex_);
    events_.push_back(std::move(event));
}

} // namespace vexplayer::testing
