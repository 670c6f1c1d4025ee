#pragma once
// Commands on their way to the player thread. Any thread pushes; the player thread takes them all
// at once, in order, on every turn of its loop.

#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "command.h"
#include "wakeup.h"

namespace vexplayer {

class CommandQueue {
public:
    explicit CommandQueue(std::shared_ptr<Wakeup> wakeup);

    void push(Command command);
    std::vector<Command> takeAll();
    // Whether a quit is waiting, without taking anything (for waits at start-up).
    bool quitPending() const;

private:
    std::shared_ptr<Wakeup> wakeup_;
    mutable std::mutex mutex_;
    std::deque<Command> commands_;
};

} // namespace vexplayer
