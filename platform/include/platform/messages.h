#pragma once
// Numbered window messages between threads.
//
// Every window lives on the user-interface thread (the Qt GUI thread). SendMessage calls the
// window's WindowProc directly when called on that thread and blocks across threads until the
// window has handled it; PostMessage always queues; SendNotifyMessage is direct on the
// user-interface thread and queued from any other. A message to a destroyed (or never created)
// window is dropped and SendMessage then returns 0. All functions may be called from any thread.

#include <functional>

#include "platform/win_types.h"

namespace platform {

class Window;

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool SendNotifyMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// True while a window with this handle exists.
bool IsWindow(HWND hwnd);

// The window behind a handle, or nullptr. User-interface thread only: the pointer is valid until
// the window is destroyed, which also happens on that thread.
Window* FromHandle(HWND hwnd);

bool IsUiThread();

// Runs fn on the user-interface thread and waits for it (direct when already there). Returns
// false, without running fn, when no application object exists or it is shutting down.
bool RunOnUiThread(const std::function<void()>& fn);

// Queues fn for the user-interface thread and returns at once.
void PostToUiThread(std::function<void()> fn);

// While one exists, the user-interface thread handles no queued message or call and no window
// timer, as a thread that sleeps would not; window-system events (showing, drawing) still run.
// Queued messages wait, in their order and ahead of later ones, until the last hold ends; timer
// ticks that fall in a hold are skipped. User-interface thread only.
class MessageHold {
public:
    MessageHold();
    ~MessageHold();
    MessageHold(const MessageHold&) = delete;
    MessageHold& operator=(const MessageHold&) = delete;
};

bool MessagesHeld();

} // namespace platform
