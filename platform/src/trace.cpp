#include "platform/trace.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace platform {

namespace {
std::mutex& OutputMutex() {
    static std::mutex mutex;
    return mutex;
}
} // namespace

void Trace(const char* format, ...) {
    std::lock_guard lock(OutputMutex());
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fflush(stdout);
}

void OutputDebugString(const std::string& text) {
    std::string line = text;
    if (line.empty() || line.back() != '\n') line += '\n';
    std::lock_guard lock(OutputMutex());
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

} // namespace platform
