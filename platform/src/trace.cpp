#include "platform/trace.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace platform {

void Trace(const char* format, ...) {
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fflush(stdout);
}

} // namespace platform
