#pragma once
// Tells a window when volumes come and go: WM_DEVICECHANGE (DBT_DEVNODES_CHANGED) is posted to
// it on each change of the mount table, seen as POLLPRI on /proc/self/mountinfo, or, below
// TRIPDESK_DRIVE_ROOT, as a rewrite of its proc/self/mountinfo (inotify). Watches from the
// user-interface thread's event loop; create and destroy it there.

#include <memory>

#include "platform/win_types.h"

namespace platform {

class DriveChangeMonitor {
public:
    explicit DriveChangeMonitor(HWND target);
    ~DriveChangeMonitor();
    DriveChangeMonitor(const DriveChangeMonitor&) = delete;
    DriveChangeMonitor& operator=(const DriveChangeMonitor&) = delete;

    // False when the mount table could not be watched; then nothing is ever posted.
    bool watching() const;

private:
    struct Watch;
    std::unique_ptr<Watch> watch_;
};

} // namespace platform
