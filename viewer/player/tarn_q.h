#pragma once
// The adapter's queue of awaited transitions: a ring of five records. The state that asks for an
// unload pushes on the user-interface thread; the worker peeks and pops. The ring is empty when
// both positions are equal, so it holds at most four pending records: a fifth push while four
// are pending makes it read as empty (the records are not lost from memory, only unreachable).

#include <array>
#include <cstdint>
#include <mutex>

namespace player {

struct TransitionRecord {
    std::int32_t fromState = 0;
    std::int32_t toState = 0;
    std::int32_t code = 0;     // the library event that completes the transition
    std::int32_t sender = 0;   // the state that queued it
};

class TarnQ {
public:
    static constexpr int kCapacity = 5;

    // Copies the record to the write position and advances it; never fails.
    void Push(const TransitionRecord& record);
    // Copies the oldest record without removing it. 0 when there is one, 1 when empty.
    int Peek(TransitionRecord& out) const;
    // Removes the oldest record, copying it when asked. 0 when one was removed, 1 when empty
    // (an empty ring is left as it is).
    int Pop(TransitionRecord* out = nullptr);
    bool Empty() const;

private:
    mutable std::mutex mutex_;   // user-interface thread and worker; never the library's thread
    std::array<TransitionRecord, kCapacity> records_{};
    int writePosition_ = 0;
    int readPosition_ = 0;
};

} // namespace player
