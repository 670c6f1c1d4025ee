#pragma once
// What the host gave the library (setInst, setW) and the way into the running player
// (cmd_direct). One per process; every function may be called from any thread.

#include <memory>
#include <mutex>
#include <string_view>

#include "event_reporter.h"

namespace vexplayer {

class CommandQueue;

class HostBinding {
public:
    static HostBinding& instance();

    void setInstance(void* instance);
    void setCallback(PlayerCallback callback);
    EventReporter reporter() const;

    // A player starts taking commands; false when another one is running.
    bool attach(std::shared_ptr<CommandQueue> commands);
    void detach();

    // One text command: false when it is refused (too long, malformed, unknown) or no player
    // runs. The text is read up to its NUL, never past the command buffer.
    bool submit(const char* text);

private:
    mutable std::mutex mutex_;
    void* instance_ = nullptr;
    PlayerCallback callback_ = nullptr;
    std::shared_ptr<CommandQueue> commands_;
};

} // namespace vexplayer
