// The clockfix program itself: a first start keeps running with its window, a second start
// while it runs ends at once with code 0 and says nothing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "fake_drive_root.h"

extern char** environ;

namespace clockfix::test {
namespace {

pid_t Spawn(int outputFd) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outputFd, STDERR_FILENO);
    const std::string program = TRIPDESK_BIN_DIR "/clockfix";
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = -1;
    const int result = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    return result == 0 ? pid : -1;
}

// The exit status once the process ended within the limit; -1 when it still runs.
int WaitFor(pid_t pid, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    do {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid) return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < deadline);
    return -1;
}

TEST(ClockfixProcess, ASecondStartEndsAtOnceSilently) {
    tripdesk::test::FakeRoot fake("process-root");
    fake.mount("8:1", "/", "/", "ext4", "/dev/sda1");
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const int quiet = ::open("/dev/null", O_WRONLY);
    const pid_t first = Spawn(quiet);
    ::close(quiet);
    ASSERT_GT(first, 0);
    // The first one runs its window and stays.
    EXPECT_EQ(WaitFor(first, std::chrono::milliseconds(1500)), -1);

    const auto started = std::chrono::steady_clock::now();
    const pid_t second = Spawn(pipeFds[1]);
    ASSERT_GT(second, 0);
    const int status = WaitFor(second, std::chrono::seconds(20));
    const auto took = std::chrono::steady_clock::now() - started;
    ::kill(first, SIGTERM);
    WaitFor(first, std::chrono::seconds(10));
    ::close(pipeFds[1]);
    std::string output;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) output.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);

    ASSERT_NE(status, -1) << "the second start did not end";
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_LT(took, std::chrono::seconds(20));
    EXPECT_EQ(output, "") << "the second start says nothing";
}

} // namespace
} // namespace clockfix::test
