#include "platform/drive_monitor.h"

#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/messages.h"

namespace platform {
namespace {

constexpr const char* kMountInfoName = "mountinfo";

void PostChange(HWND target) { PostMessage(target, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0); }

// Reads every queued inotify event; counts those that finished writing or moved in the file.
int CountMountInfoRewrites(int fd) {
    alignas(inotify_event) char buffer[4096];
    int rewrites = 0;
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            const char* name = buffer + at + sizeof(inotify_event);
            if (event.len > 0 && std::strcmp(name, kMountInfoName) == 0) ++rewrites;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
        }
    }
    return rewrites;
}

} // namespace

struct DriveChangeMonitor::Watch {
    int fd = -1;
    std::unique_ptr<QSocketNotifier> notifier;

    ~Watch() {
        notifier.reset();
        if (fd >= 0) ::close(fd);
    }
};

DriveChangeMonitor::DriveChangeMonitor(HWND target) : watch_(std::make_unique<Watch>()) {
    const char* root = std::getenv("TRIPDESK_DRIVE_ROOT");
    if (root != nullptr && *root != '\0') {
        // The folder is watched rather than the file, so that a file replaced by rename still counts.
        watch_->fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        const std::string folder = std::string(root) + "/proc/self";
        if (watch_->fd < 0 || ::inotify_add_watch(watch_->fd, folder.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO) < 0) return;
        watch_->notifier = std::make_unique<QSocketNotifier>(watch_->fd, QSocketNotifier::Read);
        QObject::connect(watch_->notifier.get(), &QSocketNotifier::activated, [fd = watch_->fd, target] {
            for (int i = CountMountInfoRewrites(fd); i > 0; --i) PostChange(target);
        });
    } else {
        // The kernel raises POLLPRI once per change of the mount table and clears it on poll.
        watch_->fd = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
        if (watch_->fd < 0) return;
        watch_->notifier = std::make_unique<QSocketNotifier>(watch_->fd, QSocketNotifier::Exception);
        QObject::connect(watch_->notifier.get(), &QSocketNotifier::activated, [target] { PostChange(target); });
    }
}

DriveChangeMonitor::~DriveChangeMonitor() = default;

bool DriveChangeMonitor::watching() const { return watch_->notifier != nullptr; }

} // namespace platform
