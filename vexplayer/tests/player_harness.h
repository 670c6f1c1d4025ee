#pragma once
// Plays the viewer's part for the library, in-process: loads libvexplayer.so by its Windows name
// through the platform loader, answers the slot events from HostSettings, records every event
// (frames with a sample of both pictures) and runs "Velmo" on a thread of its own. The test's
// thread is the user-interface thread; waiting pumps its event loop.

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "gui_support.h"
#include "picture_judge.h"
#include "platform/window.h"
#include "recorder_window.h"
#include "contract/vexplayer_contract.h"

namespace vexplayer::testing {

using namespace std::chrono_literals;
using tripdesk::test::PumpFor;
using tripdesk::test::WaitUntil;

struct FrameEvent {
    float position = 0;
    int pictureBytes = 0;
    bool hasPicture1 = false;
    bool hasPicture2 = false;
    std::array<std::uint32_t, 2> pictureNumbers{};
    std::array<float, 2> positions{};
    // Shared: events are copied often, their pictures never change.
    std::shared_ptr<const PictureSample> picture1;
    std::shared_ptr<const PictureSample> picture2;
};

struct Event {
    int code = -1;
    std::uintptr_t value = 0;      // 3, 4, 24
    std::uint32_t entryCount = 0;  // 23
    float clipLength = 0;          // 14
    std::optional<FrameEvent> frame;
    std::chrono::steady_clock::time_point at;
};

struct HostSettings {
    int channels = 2;
    int volume = 100;
    bool mainWindow = true;
    std::optional<std::uint32_t> key;   // encryption view mode
};

class PlayerHarness {
public:
    static constexpr VideoRectSet kMainRects{{{24, 88, 480, 360}, {514, 88, 480, 360}}};

    explicit PlayerHarness(HostSettings settings = {});
    ~PlayerHarness();   // ends a running player (quit, then the stop flag) and joins it

    void start(const std::string& channel1, const std::string& channel2);
    void startWithArguments(std::vector<std::string> arguments);
    int command(const std::string& text);
    void setStopFlag();

    // Index of the first event with this code at or after from.
    std::optional<std::size_t> waitForEvent(int code, std::size_t from = 0, std::chrono::milliseconds timeout = 30s);
    // Waits for frame events after from; returns them.
    std::vector<FrameEvent> waitForFrames(std::size_t count, std::size_t from, std::chrono::milliseconds timeout = 30s);
    bool waitForReturn(std::chrono::milliseconds timeout = 30s);

    std::vector<Event> events() const;
    std::size_t eventCount() const;
    std::vector<int> codes(std::size_t from = 0) const;
    std::vector<FrameEvent> frames(std::size_t from = 0) const;
    std::optional<FrameEvent> lastFrame() const;

    platform::HWND videoWindow(int channel) const { return videoWindows_[channel]; }
    tripdesk::test::RecorderWindow* mainWindow() const { return mainWindow_.get(); }
    // A popup window for a channel, as the viewer's video popup (650 x 520, video at 5, 35).
    platform::Window* createPopup(int channel);
    void setPopupShown(int channel, bool shown) { popupShown_[channel] = shown ? 1 : 0; }

private:
    static int Callback(void* instance, void* param, int code);
    void onEvent(void* param, int code);
    void answerSlot(void* param, int code);

    HostSettings settings_;
    std::unique_ptr<tripdesk::test::RecorderWindow> mainWindow_;  // the viewer's main window
    std::array<std::unique_ptr<platform::Window>, 2> popups_;
    std::array<std::atomic<platform::HWND>, 2> popupHandles_{};
    std::array<std::atomic<int>, 2> popupShown_{};
    VideoRectSet mainRects_ = kMainRects;
    VideoRectSet popupRects_{};
    std::array<std::atomic<platform::HWND>, 2> videoWindows_{};
    std::atomic<int*> stopFlag_{nullptr};

    mutable std::mutex mutex_;
    std::vector<Event> events_;
    std::thread player_;
    std::atomic<bool> returned_{true};
};

} // namespace vexplayer::testing
