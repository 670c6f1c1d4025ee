#include "picture_queue.h"

namespace vexplayer {

PictureQueue::PictureQueue(std::size_t capacity, std::shared_ptr<Wakeup> consumer)
    : capacity_(capacity), consumer_(std::move(consumer)) {}

bool PictureQueue::push(DecodedPicture picture, const std::function<bool()>& stopWaiting) {
    {
        std::unique_lock lock(mutex_);
        room_.wait(lock, [&] { return pictures_.size() < capacity_ || stopWaiting(); });
        if (pictures_.size() >= capacity_) return false;
        pictures_.push_back(std::move(picture));
    }
    consumer_->notify();
    return true;
}

void PictureQueue::finish(std::uint64_t serial, bool readFailed, bool anyPicture) {
    {
        std::lock_guard lock(mutex_);
        finishedSerial_ = serial;
        readFailed_ = readFailed;
        anyPicture_ = anyPicture;
    }
    consumer_->notify();
}

void PictureQueue::wakeProducer() {
    { std::lock_guard lock(mutex_); }
    room_.notify_all();
}

void PictureQueue::dropStale(std::uint64_t serial) {
    const std::size_t before = pictures_.size();
    while (!pictures_.empty() && pictures_.front().serial != serial) pictures_.pop_front();
    if (pictures_.size() != before) room_.notify_all();
}

bool PictureQueue::finishedFor(std::uint64_t serial) const {
    return finishedSerial_ == serial;
}

std::optional<double> PictureQueue::nextPosition(std::uint64_t serial) {
    std::lock_guard lock(mutex_);
    dropStale(serial);
    if (pictures_.empty()) return std::nullopt;
    return pictures_.front().position;
}

std::optional<DecodedPicture> PictureQueue::takeNext(std::uint64_t serial) {
    std::lock_guard lock(mutex_);
    dropStale(serial);
    if (pictures_.empty()) return std::nullopt;
    DecodedPicture picture = std::move(pictures_.front());
    pictures_.pop_front();
    room_.notify_all();
    return picture;
}

std::optional<DecodedPicture> PictureQueue::takeUpTo(std::uint64_t serial, double position,
                                                     std::size_t& taken) {
    std::lock_guard lock(mutex_);
    dropStale(serial);
    std::optional<DecodedPicture> newest;
    taken = 0;
    while (!pictures_.empty() && pictures_.front().position <= position) {
        newest = std::move(pictures_.front());
        pictures_.pop_front();
        ++taken;
    }
    if (newest) room_.notify_all();
    return newest;
}

bool PictureQueue::drained(std::uint64_t serial) {
    std::lock_guard lock(mutex_);
    dropStale(serial);
    return pictures_.empty() && finishedFor(serial);
}

bool PictureQueue::finished(std::uint64_t serial) {
    std::lock_guard lock(mutex_);
    return finishedFor(serial);
}

bool PictureQueue::finishedWithReadError(std::uint64_t serial) {
    std::lock_guard lock(mutex_);
    return finishedFor(serial) && readFailed_;
}

bool PictureQueue::finishedWithoutPicture(std::uint64_t serial) {
    std::lock_guard lock(mutex_);
    return finishedFor(serial) && !anyPicture_;
}

} // namespace vexplayer
