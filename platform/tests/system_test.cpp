// Process-level services: the single-instance lock across processes, library loading by Windows
// name, shell execute, the platform clock, the orderly exit and trace output, and the folders.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/clock.h"
#include "platform/library.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "platform/single_instance.h"
#include "platform/trace.h"
#include "test_folders.h"

extern char** environ;

namespace platform {
namespace {

// A child process that runs body and reports one byte back through a pipe, then waits for its
// end; the result of body is the child's exit code.
struct Child {
    pid_t pid = -1;
    int fromChild = -1;

    template <class Body>
    static Child Start(Body body) {
        int fds[2];
        if (::pipe(fds) != 0) return {};
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(fds[0]);
            const char report = static_cast<char>(body());
            (void)!::write(fds[1], &report, 1);
            ::pause();  // until killed
            ::_exit(0);
        }
        ::close(fds[1]);
        return {pid, fds[0]};
    }

    char report() const {
        char byte = 0;
        return ::read(fromChild, &byte, 1) == 1 ? byte : '?';
    }

    void kill() {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        ::close(fromChild);
    }
};

TEST(SingleInstance, TheLockIsHeldUntilClosed) {
    const std::string name = "TRIPDESK_APP_KX-310T";
    {
        NamedMutex first(name);
        EXPECT_TRUE(first.owned());
        EXPECT_FALSE(first.alreadyExists());
        NamedMutex second(name);
        EXPECT_TRUE(second.alreadyExists());
        EXPECT_FALSE(second.owned());
        NamedMutex other("TRIPDESK_APP");
        EXPECT_TRUE(other.owned());
        first.Close();
        EXPECT_FALSE(first.owned());
        NamedMutex third(name);
        EXPECT_TRUE(third.owned());
    }
    NamedMutex afterwards(name);
    EXPECT_TRUE(afterwards.owned());

    const std::filesystem::path lock = NamedMutex::LockFilePath("Global\\odd/name");
    EXPECT_EQ(lock.parent_path(), RuntimeDir());
    EXPECT_EQ(lock.filename().string().find('/'), std::string::npos);
}

TEST(SingleInstance, ALockFileThatCannotBeMadeIsTracedAndNobodyElseIsSeen) {
    const std::string name = "unmakeable";
    // A folder in the lock file's place: opening it for writing fails, even for root.
    const std::filesystem::path lock = NamedMutex::LockFilePath(name);
    std::filesystem::create_directories(lock);
    ::testing::internal::CaptureStdout();
    {
        NamedMutex mutex(name);
        EXPECT_FALSE(mutex.owned());
        EXPECT_FALSE(mutex.alreadyExists()) << "no other copy is running";
    }
    const std::string trace = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(trace.find("cannot create the lock file " + lock.string()), std::string::npos) << trace;
    EXPECT_TRUE(std::filesystem::is_directory(lock));
    std::filesystem::remove(lock);
}

TEST(SingleInstance, AnotherProcessSeesTheLockAndADeadOneLosesIt) {
    const std::string name = "cross_process";
    Child holder = Child::Start([&] {
        static NamedMutex held(name);
        return held.owned() ? 'L' : 'x';
    });
    ASSERT_EQ(holder.report(), 'L');
    {
        NamedMutex second(name);
        EXPECT_TRUE(second.alreadyExists()) << "the running first instance is seen";
    }
    holder.kill();
    NamedMutex takeover(name);
    EXPECT_TRUE(takeover.owned()) << "the lock of a dead process is taken over";

    Child second = Child::Start([&] {
        NamedMutex mine(name);
        return mine.alreadyExists() ? 'E' : 'n';
    });
    EXPECT_EQ(second.report(), 'E');
    second.kill();
}

TEST(SingleInstance, AProgramStartedWhileHoldingItDoesNotKeepIt) {
    auto held = std::make_unique<NamedMutex>("inherited");
    ASSERT_TRUE(held->owned());
    pid_t sleeper = -1;
    char sleep[] = "sleep";
    char seconds[] = "30";
    char* argv[] = {sleep, seconds, nullptr};
    ASSERT_EQ(::posix_spawnp(&sleeper, "sleep", nullptr, nullptr, argv, environ), 0);
    held.reset();
    NamedMutex next("inherited");
    EXPECT_TRUE(next.owned());
    ::kill(sleeper, SIGKILL);
    ::waitpid(sleeper, nullptr, 0);
}

TEST(Library, WindowsNamesMapToElfNames) {
    EXPECT_EQ(ElfLibraryName("vexplayer.dll"), "libvexplayer.so");
    EXPECT_EQ(ElfLibraryName("VexPlayer.DLL"), "libvexplayer.so");
    EXPECT_EQ(ElfLibraryName("C:\\Program Files\\TripDesk\\vexplayer.dll"), "libvexplayer.so");
    EXPECT_EQ(ElfLibraryName("fmifs"), "libfmifs.so");
    EXPECT_EQ(ElfLibraryName("libusb-0.1.so.4"), "libusb-0.1.so.4");
    EXPECT_EQ(UndecoratedExportName("setInst@4"), "setInst");
    EXPECT_EQ(UndecoratedExportName("setW@12"), "setW");
    EXPECT_EQ(UndecoratedExportName("Velmo"), "Velmo");
    EXPECT_EQ(UndecoratedExportName("cmd@direct"), "cmd@direct");
    EXPECT_EQ(UndecoratedExportName("trailing@"), "trailing@");
}

TEST(Library, LoadsByWindowsNameAndFindsDecoratedExports) {
    HMODULE module = LoadLibraryA("PlatformProbe.dll");
    ASSERT_NE(module, nullptr) << LastLibraryError();
    auto add = reinterpret_cast<int (*)(int, int)>(GetProcAddress(module, "probe_add"));
    auto setInst = reinterpret_cast<void (*)(void*)>(GetProcAddress(module, "setInst@4"));
    auto instance = reinterpret_cast<void* (*)()>(GetProcAddress(module, "probe_instance"));
    ASSERT_TRUE(add && setInst && instance);
    EXPECT_EQ(add(2, 3), 5);
    int adapter = 0;
    setInst(&adapter);
    EXPECT_EQ(instance(), &adapter);

    EXPECT_EQ(GetProcAddress(module, "cmd_direct"), nullptr);
    EXPECT_FALSE(LastLibraryError().empty());
    EXPECT_EQ(GetProcAddress(module, "setW@4"), nullptr);
    EXPECT_TRUE(FreeLibrary(module));

    EXPECT_EQ(LoadLibraryA("nosuchplayer.dll"), nullptr);
    EXPECT_NE(LastLibraryError().find("libnosuchplayer.so"), std::string::npos) << LastLibraryError();
    EXPECT_EQ(GetProcAddress(nullptr, "probe_add"), nullptr);
    EXPECT_FALSE(FreeLibrary(nullptr));
}

TEST(Shell, StartsAProgramByItsWindowsNameOrReportsItMissing) {
    const auto dir = tripdesk::test::FreshFolder("shell");
    const auto marker = dir / "started";
    const auto program = dir / "clockprobe";
    std::ofstream(program) << "#!/bin/sh\necho \"$1\" > '" << marker.string() << "'\n";
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    std::ofstream(dir / "notrunnable") << "#!/bin/sh\n";

    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    EXPECT_EQ(FindProgram("ClockProbe.exe"), dir / "clockprobe");
    const auto started = ShellExecuteA(kNoWindow, "open", "ClockProbe.exe", "hello", nullptr, SW_SHOWNORMAL);
    EXPECT_GT(started, 32);
    EXPECT_EQ(ShellExecuteA(kNoWindow, "open", "Missing.exe", nullptr, nullptr, SW_SHOWNORMAL), SE_ERR_FNF);
    EXPECT_EQ(ShellExecuteA(kNoWindow, "open", "NotRunnable.exe", nullptr, nullptr, SW_SHOWNORMAL), SE_ERR_FNF);
    std::filesystem::current_path(previous);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!std::filesystem::exists(marker) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::string line;
    std::getline(std::ifstream(marker), line);
    EXPECT_EQ(line, "hello");

    // PATH is searched last.
    const std::string path = std::getenv("PATH");
    ::setenv("PATH", (dir.string() + ":" + path).c_str(), 1);
    EXPECT_EQ(FindProgram("CLOCKPROBE.EXE"), dir / "clockprobe");
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_FALSE(FindProgram("clockprobe"));
}

TEST(Clock, FastForwardAdvancesTheClockWithoutWaiting) {
    const auto realStart = std::chrono::steady_clock::now();
    SetClockFastForward(true);
    EXPECT_TRUE(ClockFastForward());
    const std::uint64_t start = TickCount();
    std::vector<std::thread> sleepers;
    for (int i = 0; i < 4; ++i)
        sleepers.emplace_back([] {
            for (int j = 0; j < 100; ++j) Sleep(1000);
        });
    for (auto& t : sleepers) t.join();
    Sleep(1800);
    EXPECT_GE(TickCount() - start, 401800u);
    EXPECT_LT(std::chrono::steady_clock::now() - realStart, std::chrono::seconds(60));

    SetClockFastForward(false);
    const std::uint64_t before = TickCount();
    Sleep(30);
    EXPECT_GE(TickCount() - before, 30u);
}

TEST(Process, ExitFlushesOutputAndEndsWithTheCode) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        ::close(fds[0]);
        Trace("####stat%d\n", 0);
        std::printf("unterminated");
        ExitProcess(3);
        ::_exit(99);
    }
    ::close(fds[1]);
    std::string output;
    char buffer[256];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) output.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    EXPECT_EQ(output, "####stat0\nunterminated");

    int recorded = -1;
    SetExitHook([&](int code) { recorded = code; });
    ExitProcess(7);
    SetExitHook(nullptr);
    EXPECT_EQ(recorded, 7);
}

TEST(DebuggerOutput, WholeFlushedLinesOnTheStandardErrorOnly) {
    int errFds[2];
    int outFds[2];
    ASSERT_EQ(::pipe(errFds), 0);
    ASSERT_EQ(::pipe(outFds), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(errFds[1], STDERR_FILENO);
        ::dup2(outFds[1], STDOUT_FILENO);
        ::close(errFds[0]);
        ::close(outFds[0]);
        std::setvbuf(stderr, nullptr, _IOFBF, 4096);   // only the flush can get it out before _exit
        OutputDebugString("Format : 3");
        OutputDebugString("done\n");
        OutputDebugString("");
        ::_exit(0);
    }
    ::close(errFds[1]);
    ::close(outFds[1]);
    auto readAll = [](int fd) {
        std::string text;
        char buffer[256];
        for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
        ::close(fd);
        return text;
    };
    const std::string errors = readAll(errFds[0]);
    const std::string output = readAll(outFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_EQ(errors, "Format : 3\ndone\n\n");
    EXPECT_EQ(output, "");
}

TEST(Paths, FollowTheXdgFolders) {
    const std::string config = std::getenv("XDG_CONFIG_HOME");
    EXPECT_EQ(ConfigDir(), std::filesystem::path(config) / "tripdesk");
    EXPECT_EQ(DataDir(), std::filesystem::path(std::getenv("XDG_DATA_HOME")) / "tripdesk");
    EXPECT_EQ(RuntimeDir(), std::filesystem::path(std::getenv("XDG_RUNTIME_DIR")));
    EXPECT_TRUE(std::filesystem::is_directory(RuntimeDir()));

    const std::string runtime = std::getenv("XDG_RUNTIME_DIR");
    ::unsetenv("XDG_RUNTIME_DIR");
    ::setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    const auto fallback = RuntimeDir();
    EXPECT_EQ(ConfigDir(), std::filesystem::path(std::getenv("HOME")) / ".config" / "tripdesk");
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    struct stat info {};
    ASSERT_EQ(::stat(fallback.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, ::getuid());
}

} // namespace
} // namespace platform
