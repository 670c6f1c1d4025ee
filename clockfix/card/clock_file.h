#pragma once
// Setting the recorder's clock: the boxes checked, then "<mount point>/Setup/clockfix.dat"
// replaced by the 19 characters of the time, with no NUL and no line end. The folder is made
// when the first open fails. A file that cannot be opened, written, flushed or closed is reported
// as "Error : <cause> \n" on the standard output, and a short file is removed.

#include <string>

#include "card/clock_boxes.h"

namespace card {

struct SetClockResult {
    // The message to show (131 written, 136 invalid boxes), 0 for none.
    int message = 0;
    // The file-error cause of a failed write, 0 otherwise.
    int fileErrorCause = 0;
};

SetClockResult SetClock(const std::string& mountPoint, const ClockBoxes& boxes);

} // namespace card
