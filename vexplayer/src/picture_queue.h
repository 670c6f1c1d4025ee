#pragma once
// Decoded pictures of one channel on their way from its decoder thread to the player thread.
// Every picture carries the serial of the file position it was decoded for: the player thread
// bumps the serial on every seek, so pictures decoded before it are dropped unseen.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include <QImage>

#include "wakeup.h"

namespace vexplayer {

struct DecodedPicture {
    std::uint64_t serial = 0;
    double position = 0;   // seconds from the start of the video
    double duration = 0;
    bool last = false;     // the file's last picture
    QImage image;          // the contract's picture; null when pictures are not made
};

class PictureQueue {
public:
    PictureQueue(std::size_t capacity, std::shared_ptr<Wakeup> consumer);

    // Decoder thread. Waits for room; false (picture dropped) when stopWaiting() turns true, which
    // is checked whenever wakeProducer() is called.
    bool push(DecodedPicture picture, const std::function<bool()>& stopWaiting);
    // The decoder has nothing more for this serial; readFailed when it stopped on a read error.
    void finish(std::uint64_t serial, bool readFailed, bool anyPicture);
    void wakeProducer();

    // Player thread. Pictures of other serials are dropped first.
    std::optional<double> nextPosition(std::uint64_t serial);
    std::optional<DecodedPicture> takeNext(std::uint64_t serial);
    // The newest picture at or before the position; older ones are dropped. taken counts the
    // pictures taken, the dropped ones included.
    std::optional<DecodedPicture> takeUpTo(std::uint64_t serial, double position, std::size_t& taken);
    // Finished and nothing left for this serial.
    bool drained(std::uint64_t serial);
    bool finishedWithReadError(std::uint64_t serial);
    bool finishedWithoutPicture(std::uint64_t serial);
    // The decoder has nothing more for this serial (pictures may still be queued).
    bool finished(std::uint64_t serial);

private:
    void dropStale(std::uint64_t serial);   // caller holds mutex_
    bool finishedFor(std::uint64_t serial) const;

    const std::size_t capacity_;
    std::shared_ptr<Wakeup> consumer_;
    std::mutex mutex_;
    std::condition_variable room_;
    std::deque<DecodedPicture> pictures_;
    std::optional<std::uint64_t> finishedSerial_;
    bool readFailed_ = false;
    bool anyPicture_ = false;
};

} // namespace vexplayer
