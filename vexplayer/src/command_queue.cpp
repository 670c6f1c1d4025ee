#include "command_queue.h"

#include <algorithm>

namespace vexplayer {

CommandQueue::CommandQueue(std::shared_ptr<Wakeup> wakeup) : wakeup_(std::move(wakeup)) {}

void CommandQueue::push(Command command) {
    {
        std::lock_guard lock(mutex_);
        commands_.push_back(std::move(command));
    }
    wakeup_->notify();
}

std::vector<Command> CommandQueue::takeAll() {
    std::lock_guard lock(mutex_);
    std::vector<Command> taken(std::make_move_iterator(commands_.begin()),
                               std::make_move_iterator(commands_.end()));
    commands_.clear();
    return taken;
}

bool CommandQueue::quitPending() const {
    std::lock_guard lock(mutex_);
    return std::any_of(commands_.begin(), commands_.end(),
                       [](const Command& c) { return std::holds_alternative<Quit>(c); });
}

} // namespace vexplayer
