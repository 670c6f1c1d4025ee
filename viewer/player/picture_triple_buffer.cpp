#include "player/picture_triple_buffer.h"

#include <thread>

namespace player {

void PictureTripleBuffer::Publish(const std::uint8_t* picture, std::size_t bytes) {
    while (writerBusy_.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
    std::vector<std::uint8_t>& buffer = buffers_[writing_];
    if (picture && bytes > 0)
        buffer.assign(picture, picture + bytes);
    else
        buffer.clear();
    // Release: the copy is visible to the reader that takes this buffer.
    writing_ = ready_.exchange(writing_ | kFresh, std::memory_order_acq_rel) & ~kFresh;
    writerBusy_.clear(std::memory_order_release);
}

std::span<const std::uint8_t> PictureTripleBuffer::Latest() {
    if (ready_.load(std::memory_order_relaxed) & kFresh)
        reading_ = ready_.exchange(reading_, std::memory_order_acq_rel) & ~kFresh;
    return buffers_[reading_];
}

} // namespace player
