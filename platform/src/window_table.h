#pragma once
// The process-wide table behind window handles. Windows register themselves on construction and
// leave on destruction (user-interface thread); lookups may come from any thread.

#include "platform/win_types.h"

namespace platform {

class Window;

namespace detail {

HWND RegisterWindow(Window* window);
// Sets up the hand-over of messages from other threads; called by windows as they are made.
void PrepareUiThread();
void UnregisterWindow(HWND hwnd);

} // namespace detail
} // namespace platform
