#include "child_process.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

namespace bench {

namespace {

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

} // namespace

std::optional<ChildRun> RunChild(const std::vector<std::string>& argv, bool keepErrors) {
    int pipeFds[2];
    if (argv.empty() || ::pipe2(pipeFds, O_CLOEXEC) != 0) return std::nullopt;
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        const int devNull = ::open("/dev/null", O_RDWR);
        ::dup2(devNull, STDIN_FILENO);
        ::dup2(pipeFds[1], STDOUT_FILENO);
        if (!keepErrors) ::dup2(devNull, STDERR_FILENO);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    ChildRun run;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0) break;
        run.output.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child) return std::nullopt;
    run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace bench
