#include "audio_chunk_queue.h"

namespace vexplayer {

void AudioChunkQueue::push(AudioChunk chunk) {
    std::lock_guard lock(mutex_);
    seconds_ += chunk.seconds();
    chunks_.push_back(std::move(chunk));
    while (seconds_ > kCapacitySeconds && chunks_.size() > 1) {
        seconds_ -= chunks_.front().seconds();
        chunks_.pop_front();
    }
}

std::optional<AudioChunk> AudioChunkQueue::peek(std::uint64_t serial) {
    std::lock_guard lock(mutex_);
    while (!chunks_.empty() && chunks_.front().serial != serial) {
        seconds_ -= chunks_.front().seconds();
        chunks_.pop_front();
    }
    if (chunks_.empty()) return std::nullopt;
    return chunks_.front();
}

void AudioChunkQueue::pop() {
    std::lock_guard lock(mutex_);
    if (chunks_.empty()) return;
    seconds_ -= chunks_.front().seconds();
    chunks_.pop_front();
}

} // namespace vexplayer
