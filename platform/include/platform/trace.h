#pragma once
// Diagnostic trace lines on the standard output, flushed at once so that they interleave
// correctly with other output of the process.

namespace platform {

void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace platform
