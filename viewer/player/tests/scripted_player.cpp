// The scripted player library. Exports use C names; "setInst@4" and "setW@4" are looked up
// undecorated by the platform's loader.
#include "scripted_player.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

#include "contract/vexplayer_contract.h"
#include "platform/clock.h"

namespace scripted {

namespace {

struct Library {
    std::mutex mutex;
    std::condition_variable changed;
    void* instance = nullptr;
    vexplayer::PlayerCallback callback = nullptr;
    std::vector<std::string> commands;
    std::vector<std::string> arguments;
    struct Task {
        std::function<void()> run;
        bool done = false;
    };
    std::deque<Task*> tasks;
    bool velmoRunning = false;
    bool velmoEntered = false;
    int velmoCalls = 0;
    bool quitRequested = false;
    bool neverExits = false;
    std::chrono::milliseconds exitDelay{0};
    bool released = false;
    std::function<void()> onQuit;
    int stopFlag = 0;   // written by the adapter through std::atomic_ref
};

Library& TheLibrary() {
    static Library library;
    return library;
}

bool StopRequested(Library& library) {
    return std::atomic_ref<int>(library.stopFlag).load() != 0;
}

} // namespace

void Reset() {
    Library& library = TheLibrary();
    std::lock_guard lock(library.mutex);
    library.commands.clear();
    library.arguments.clear();
    library.velmoEntered = false;
    library.velmoCalls = 0;
    library.quitRequested = false;
    library.neverExits = false;
    library.exitDelay = std::chrono::milliseconds(0);
    library.released = false;
    library.onQuit = nullptr;
    std::atomic_ref<int>(library.stopFlag).store(0);
}

std::vector<std::string> Commands() {
    Library& library = TheLibrary();
    std::lock_guard lock(library.mutex);
    return library.commands;
}

std::vector<std::string> VelmoArguments() {
    Library& library = TheLibrary();
    std::lock_guard lock(library.mutex);
    return library.arguments;
}

bool WaitForVelmo(std::chrono::milliseconds limit) {
    Library& library = TheLibrary();
    std::unique_lock lock(library.mutex);
    return library.changed.wait_for(lock, limit, [&] { return library.velmoEntered; });
}

bool VelmoRunning() {
    Library& library = TheLibrary();
    std::lock_guard lock(library.mutex);
    return library.velmoRunning;
}

int VelmoCalls() {
    Library& library = TheLibrary();
    std::lock_guard lock(library.mutex);
    return library.velmoCalls;
}

int Fire(int code, void* param) {
    Library& library = TheLibrary();
    vexplayer::PlayerCallback callback;
    void* instance;
    {
        std::lock_guard lock(library.mutex);
        callback = library.callback;
        instance = library.instance;
    }
    return callback ? callback(instance, param, code) : 0;
}

bool OnPlayerThread(const std::function<void()>& task) {
    Library& library = TheLibrary();
    Library::Task pending{task};
    std::unique_lock lock(library.mutex);
    if (!library.velmoRunning) return false;
    library.tasks.push_back(&pending);
    library.changed.notify_all();
    library.changed.wait(lock, [&] { return pending.done; });
    return true;
}

void FireOnPlayerThread(int code, void* param) {
    OnPlayerThread([=] { Fire(code, param); });
}

void SetNeverExits(bool never) {
    Library& library = TheLibrary();
    std::lock_guard lock(library.mutex);
    library.neverExits = never;
}

void SetExitDelay(std::chrono::milliseconds delay) {
    Library& library = TheLibrary();
    std::lock_guard lock(library.mutex);
    library.exitDelay = delay;
}

void ReleaseVelmo() {
    Library& library = TheLibrary();
    {
        std::lock_guard lock(library.mutex);
        library.released = true;
    }
    library.changed.notify_all();
}

void SetOnQuit(std::function<void()> action) {
    Library& library = TheLibrary();
    std::lock_guard lock(library.mutex);
    library.onQuit = std::move(action);
}

int* StopFlag() { return &TheLibrary().stopFlag; }

void* Instance() {
    Library& library = TheLibrary();
    std::lock_guard lock(library.mutex);
    return library.instance;
}

} // namespace scripted

using scripted::Library;
using scripted::TheLibrary;

extern "C" {

__attribute__((visibility("default"))) int Velmo(int argc, char** argv) {
    auto& library = TheLibrary();
    std::unique_lock lock(library.mutex);
    library.arguments.assign(argv, argv + argc);
    std::atomic_ref<int>(library.stopFlag).store(0);   // each player starts with its own flag down
    library.velmoRunning = true;
    library.velmoEntered = true;
    ++library.velmoCalls;
    library.changed.notify_all();
    bool reportExit = false;
    std::optional<std::uint64_t> askedToExitAt;   // platform clock
    for (;;) {
        while (!library.tasks.empty()) {
            Library::Task* task = library.tasks.front();
            library.tasks.pop_front();
            lock.unlock();
            task->run();
            lock.lock();
            task->done = true;
            library.changed.notify_all();
        }
        if (library.released) break;
        if (!library.neverExits && (library.quitRequested || scripted::StopRequested(library))) {
            if (!askedToExitAt) askedToExitAt = platform::TickCount();
            if (platform::TickCount() - *askedToExitAt >= static_cast<std::uint64_t>(library.exitDelay.count())) {
                reportExit = true;
                break;
            }
        }
        // The stop flag is written without a notification: look again soon.
        library.changed.wait_for(lock, std::chrono::milliseconds(2));
    }
    library.velmoRunning = false;
    library.quitRequested = false;
    library.released = false;
    library.changed.notify_all();
    lock.unlock();
    if (reportExit) scripted::Fire(vexplayer::kEventExited, nullptr);
    return 0;
}

__attribute__((visibility("default"))) void setInst(void* instance) {
    auto& library = TheLibrary();
    std::lock_guard lock(library.mutex);
    library.instance = instance;
}

__attribute__((visibility("default"))) void setW(vexplayer::PlayerCallback callback) {
    auto& library = TheLibrary();
    std::lock_guard lock(library.mutex);
    library.callback = callback;
}

__attribute__((visibility("default"))) int cmd_direct(const char* text) {
    auto& library = TheLibrary();
    std::function<void()> onQuit;
    const std::string command = text ? text : "";
    {
        std::lock_guard lock(library.mutex);
        library.commands.push_back(command);
        if (command == vexplayer::kCmdQuit) onQuit = library.onQuit;
    }
    if (onQuit) onQuit();
    if (command == vexplayer::kCmdQuit) {
        std::lock_guard lock(library.mutex);
        library.quitRequested = true;
        library.changed.notify_all();
    }
    return 0;
}

}
