#include "player/tarn_q.h"

namespace player {

namespace {
int Next(int position) { return (position + 1) % TarnQ::kCapacity; }
}

void TarnQ::Push(const TransitionRecord& record) {
    std::lock_guard lock(mutex_);
    records_[writePosition_] = record;
    writePosition_ = Next(writePosition_);
}

int TarnQ::Peek(TransitionRecord& out) const {
    std::lock_guard lock(mutex_);
    if (writePosition_ == readPosition_) return 1;
    out = records_[readPosition_];
    return 0;
}

int TarnQ::Pop(TransitionRecord* out) {
    std::lock_guard lock(mutex_);
    if (writePosition_ == readPosition_) return 1;
    if (out) *out = records_[readPosition_];
    readPosition_ = Next(readPosition_);
    return 0;
}

bool TarnQ::Empty() const {
    std::lock_guard lock(mutex_);
    return writePosition_ == readPosition_;
}

} // namespace player
