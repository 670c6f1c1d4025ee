#pragma once
// Work the player thread needs done on the user-interface thread (creating windows) without ever
// waiting on that thread for good: the user-interface thread may itself be waiting for the player
// (the viewer's close waits for the player's exit).

#include <functional>

namespace vexplayer {

// Whether a QApplication exists to create widgets on.
bool HasWidgetApplication();

// Queues work for the user-interface thread and waits for it to finish. Gives up, without the
// work ever running, when cancelled() turns true (polled every few milliseconds) before the
// user-interface thread started it, or when the application drops the queued call. Runs the work
// directly when called on the user-interface thread. true when the work ran.
bool RunOnUiThreadUnlessCancelled(std::function<void()> work, const std::function<bool()>& cancelled);

} // namespace vexplayer
