#pragma once
// The main window's three tracks below the video (progress, speed, volume): where a click
// counts, how x maps to the track's position, and what a position means.

#include <optional>

#include "shell/model/pixel_rect.h"

namespace shell {

struct TrackSpec {
    PixelRect click;  // where a press counts as a click on the track
    int originX;      // x of position 0; x below gives 0, x beyond originX + range gives range
    int range;        // positions 0..range
};

inline constexpr TrackSpec kProgressTrack{{35, 486, 415, 493}, 52, 345};
inline constexpr TrackSpec kSpeedTrack{{629, 487, 758, 493}, 645, 98};
inline constexpr TrackSpec kVolumeTrack{{818, 487, 985, 493}, 833, 135};

int TrackPositionAt(const TrackSpec& track, int x);

// The thumbs that can be dragged, at a track position p.
PixelRect ProgressThumbRect(int position);  // (p + 36, 481)-(p + 69, 501)
PixelRect VolumeThumbRect(int position);    // (p + 822, 481)-(p + 845, 501)

// Progress position -> second of the clip: position x length / 345, integer division.
int SecondsAtProgress(int position, int lengthSeconds);

// Volume position -> percent: position x 100 / 135, integer division.
int VolumePercentAt(int position);

// Playback time -> progress position: 0 for a clip shorter than a second, position x 345 /
// length while the position lies within the clip (a negative one counts as 0); otherwise none
// (the bar stays where it is).
std::optional<int> ProgressPositionForTime(int positionSeconds, int lengthSeconds);

} // namespace shell
