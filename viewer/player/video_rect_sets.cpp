#include "player/video_rect_sets.h"

#include <deque>
#include <mutex>

namespace player {

VideoRectSets& AllocateVideoRectSets() {
    static std::mutex mutex;
    static std::deque<VideoRectSets> sets;   // a deque never moves what it holds
    std::lock_guard lock(mutex);
    return sets.emplace_back();
}

} // namespace player
