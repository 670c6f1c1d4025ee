#pragma once
// The main and popup video rectangles whose addresses the library keeps (events 17 and 29).
// They are allocated for the life of the process, so a library thread that outlives its adapter
// never reads freed memory. Written on the user-interface thread, read by the library, both
// through the contract's StoreVideoRect and LoadVideoRectSet.

#include "contract/vexplayer_contract.h"

namespace player {

struct VideoRectSets {
    vexplayer::VideoRectSet main{};
    vexplayer::VideoRectSet popup{};
};

// A new zeroed pair of sets that is never freed.
VideoRectSets& AllocateVideoRectSets();

} // namespace player
