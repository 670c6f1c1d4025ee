#include "host_binding.h"

#include <cstring>

#include "command_queue.h"

namespace vexplayer {

HostBinding& HostBinding::instance() {
    static HostBinding binding;
    return binding;
}

void HostBinding::setInstance(void* instance) {
    std::lock_guard lock(mutex_);
    instance_ = instance;
}

void HostBinding::setCallback(PlayerCallback callback) {
    std::lock_guard lock(mutex_);
    callback_ = callback;
}

EventReporter HostBinding::reporter() const {
    std::lock_guard lock(mutex_);
    return EventReporter(callback_, instance_);
}

bool HostBinding::attach(std::shared_ptr<CommandQueue> commands) {
    std::lock_guard lock(mutex_);
    if (commands_) return false;
    commands_ = std::move(commands);
    return true;
}

void HostBinding::detach() {
    std::lock_guard lock(mutex_);
    commands_.reset();
}

bool HostBinding::submit(const char* text) {
    if (!text) return false;
    const std::size_t length = ::strnlen(text, kCommandBufferSize);
    if (length == kCommandBufferSize) return false;   // no NUL inside the command buffer
    auto command = ParseCommand(std::string_view(text, length));
    if (!command) return false;
    std::shared_ptr<CommandQueue> commands;
    {
        std::lock_guard lock(mutex_);
        commands = commands_;
    }
    if (!commands) return false;
    commands->push(std::move(*command));
    return true;
}

} // namespace vexplayer
