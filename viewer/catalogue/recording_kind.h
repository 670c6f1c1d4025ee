#pragma once
// The kinds of recording the recorder writes. Infinity and Event are also the tab indexes of the
// file-open window, which has no tab for Parking.

namespace catalogue {

enum class RecordingKind : int {
    Infinity = 0,  // continuous recording
    Event = 1,     // triggered by an impact or the button
    Parking = 2,   // recorded in parking mode
};

} // namespace catalogue
