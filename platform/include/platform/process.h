#pragma once
// The one orderly way a program ends at once with an exit code (after a cancelled start-up
// dialog, after a refused recording). It flushes the standard streams and ends the process
// without running window destructors. Tests install a hook that records the code instead.

#include <functional>

namespace platform {

using ExitHook = std::function<void(int code)>;

// Ends the process, or calls the hook and returns when one is installed.
void ExitProcess(int code);
void SetExitHook(ExitHook hook);

} // namespace platform
