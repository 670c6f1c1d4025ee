#pragma once
// The viewer's side of the contract as playerprobe plays it: answers the slot events from the
// options, prints every callback as one line, and, like the viewer, asks for the clip length after
// playback starts. The callback runs on the player's threads; windows are made on the
// user-interface thread before the player starts.

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "contract/vexplayer_contract.h"
#include "platform/window.h"
#include "probe_options.h"

namespace playerprobe {

class ProbeHost {
public:
    explicit ProbeHost(ProbeOptions options);
    ~ProbeHost();

    // User-interface thread, before the player starts.
    void createWindows();
    void setCommandEntry(vexplayer::CmdDirectFn command) { command_ = command; }
    void markStart();

    static int Callback(void* instance, void* param, int code);

    bool playerExited() const { return exited_; }
    // The benchmark's figures, after the player has exited.
    void printBenchmark() const;

private:
    void onEvent(void* param, int code);
    std::string describe(void* param, int code);
    void print(const std::string& line);
    double secondsSinceStart() const;

    const ProbeOptions options_;
    vexplayer::CmdDirectFn command_ = nullptr;
    std::unique_ptr<platform::Window> mainWindow_;
    std::vector<std::unique_ptr<platform::Window>> popupWindows_;
    std::array<platform::HWND, 2> popupHandles_{};
    platform::HWND mainHandle_ = platform::kNoWindow;
    int displayWidth_ = 0;
    int displayHeight_ = 0;
    vexplayer::VideoRectSet mainRects_{};
    vexplayer::VideoRectSet popupRects_{};

    std::mutex printMutex_;
    std::chrono::steady_clock::time_point start_;
    std::atomic<platform::HWND> videoWindow1_{platform::kNoWindow};
    std::atomic<int*> stopFlag_{nullptr};
    std::atomic<bool> exited_{false};
    int frameEvents_ = 0;   // player thread
    std::uint32_t benchmarkPictures_[2] = {0, 0};
    double benchmarkSeconds_ = 0;
};

} // namespace playerprobe
