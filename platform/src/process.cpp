#include "platform/process.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <mutex>

namespace platform {

namespace {

std::mutex hookMutex;
ExitHook exitHook;

} // namespace

void ExitProcess(int code) {
    ExitHook hook;
    {
        std::lock_guard lock(hookMutex);
        hook = exitHook;
    }
    if (hook) {
        hook(code);
        return;
    }
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    ::_exit(code);
}

void SetExitHook(ExitHook hook) {
    std::lock_guard lock(hookMutex);
    exitHook = std::move(hook);
}

} // namespace platform
