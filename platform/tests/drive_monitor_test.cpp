// The drive-change monitor over a fake root's mountinfo, and the real mount table left alone.
#include "platform/drive_monitor.h"

#include <sys/mount.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gui_support.h"
#include "platform/window.h"
#include "test_folders.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using tripdesk::test::PumpFor;
using tripdesk::test::WaitUntil;

class ChangeCounter : public Window {
public:
    std::vector<WPARAM> changes;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_DEVICECHANGE) changes.push_back(wParam);
        return Window::WindowProc(msg, wParam, lParam);
    }
};

void Write(const fs::path& path, const char* text) { std::ofstream(path, std::ios::trunc) << text; }

TEST(DriveMonitorTest, EachRewriteOfTheFakeMountTablePostsOneChange) {
    const fs::path root = tripdesk::test::FreshFolder("monitor-root");
    const fs::path folder = root / "proc" / "self";
    fs::create_directories(folder);
    Write(folder / "mountinfo", "");
    ::setenv("TRIPDESK_DRIVE_ROOT", root.c_str(), 1);

    ChangeCounter window;
    DriveChangeMonitor monitor(window.hwnd());
    ::unsetenv("TRIPDESK_DRIVE_ROOT");
    ASSERT_TRUE(monitor.watching());

    Write(folder / "mountinfo", "36 1 8:33 / /media/card rw - vfat /dev/sdc1 rw\n");
    ASSERT_TRUE(WaitUntil([&] { return window.changes.size() == 1; }));
    EXPECT_EQ(window.changes.front(), DBT_DEVNODES_CHANGED);

    Write(folder / "other", "not the mount table");
    PumpFor(100ms);
    EXPECT_EQ(window.changes.size(), 1u);

    Write(folder / "mountinfo.new", "");
    fs::rename(folder / "mountinfo.new", folder / "mountinfo");   // replaced whole
    ASSERT_TRUE(WaitUntil([&] { return window.changes.size() == 2; }));
    PumpFor(100ms);
    EXPECT_EQ(window.changes.size(), 2u);
}

TEST(DriveMonitorTest, AnUnchangedMountTablePostsNothing) {
    ChangeCounter window;
    DriveChangeMonitor monitor(window.hwnd());
    ASSERT_TRUE(monitor.watching());
    PumpFor(300ms);
    EXPECT_TRUE(window.changes.empty());
}

TEST(DriveMonitorTest, AMissingFakeRootWatchesNothing) {
    ::setenv("TRIPDESK_DRIVE_ROOT", (tripdesk::test::ScratchFolder() / "absent").c_str(), 1);
    ChangeCounter window;
    DriveChangeMonitor monitor(window.hwnd());
    ::unsetenv("TRIPDESK_DRIVE_ROOT");
    EXPECT_FALSE(monitor.watching());
}

bool InOwnMountNamespace() {
    std::error_code error;
    const fs::path own = fs::read_symlink("/proc/self/ns/mnt", error);
    if (error) return false;
    const fs::path parents = fs::read_symlink("/proc/" + std::to_string(::getppid()) + "/ns/mnt", error);
    return !error && own != parents;
}

// Mounting for real only ever happens in a mount namespace other than the parent's (CTest starts
// this case under unshare), so the machine's mount table is never touched.
TEST(DriveMonitorTest, RealMountAndUnmountEachPostOneChange) {
    if (!InOwnMountNamespace()) GTEST_SKIP() << "needs a private mount namespace (ctest runs it under unshare)";
    const fs::path folder = tripdesk::test::FreshFolder("real-mount");
    ChangeCounter window;
    DriveChangeMonitor monitor(window.hwnd());
    ASSERT_TRUE(monitor.watching());

    ASSERT_EQ(::mount("tripdesk-test", folder.c_str(), "tmpfs", 0, "size=1m"), 0) << std::strerror(errno);
    ASSERT_TRUE(WaitUntil([&] { return window.changes.size() == 1; }));
    PumpFor(100ms);
    EXPECT_EQ(window.changes.size(), 1u);
    ASSERT_EQ(::umount(folder.c_str()), 0) << std::strerror(errno);
    ASSERT_TRUE(WaitUntil([&] { return window.changes.size() == 2; }));
    EXPECT_EQ(window.changes.back(), DBT_DEVNODES_CHANGED);
}

} // namespace
} // namespace platform
