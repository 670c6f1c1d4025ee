#pragma once
// Diagnostic trace lines on the standard output, flushed at once so that they interleave
// correctly with other output of the process; and the debugger output, which on Linux is the
// standard error.

#include <string>

namespace platform {

void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The text as one whole line on the standard error (a line end added when it has none), written
// in one piece and flushed, so that lines of several threads never mix.
void OutputDebugString(const std::string& text);

} // namespace platform
