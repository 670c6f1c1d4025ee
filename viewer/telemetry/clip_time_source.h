#pragma once
// What the progress bar asks its parent window for to write the clip times below itself.

namespace telemetry {

class ClipTimeSource {
public:
    virtual ~ClipTimeSource() = default;
    // The clip's length and the playing position in whole seconds; false when either output is
    // missing or no times are known.
    virtual bool GetClipTimes(int* length, int* position) = 0;
};

} // namespace telemetry
