#include "live_child.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace bench {

LiveChild::LiveChild(const std::vector<std::string>& argv, const std::vector<std::string>& environment) {
    int fds[2];
    if (argv.empty() || ::pipe2(fds, O_CLOEXEC) != 0) return;
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const pid_t child = ::fork();
    if (child < 0) return;
    if (child == 0) {
        for (const std::string& entry : environment) ::putenv(const_cast<char*>(entry.c_str()));
        const int devNull = ::open("/dev/null", O_RDWR);
        ::dup2(devNull, STDIN_FILENO);
        ::dup2(fds[1], STDOUT_FILENO);
        ::dup2(devNull, STDERR_FILENO);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    ::fcntl(fds[0], F_SETFL, O_NONBLOCK);
    pid_ = child;
    outputFd_ = fds[0];
}

LiveChild::~LiveChild() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    if (outputFd_ >= 0) ::close(outputFd_);
}

const std::string& LiveChild::output() {
    char buffer[4096];
    for (ssize_t n; outputFd_ >= 0 && (n = ::read(outputFd_, buffer, sizeof buffer)) > 0;)
        output_.append(buffer, static_cast<std::size_t>(n));
    return output_;
}

double LiveChild::cpuSeconds() const {
    std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // Fields after the command name in parentheses, which may hold blanks: utime is the 14th.
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) utime = std::stoull(field);
        if (i == 15) stime = std::stoull(field);
    }
    return static_cast<double>(utime + stime) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

int CountLines(const std::string& text, const std::string& prefix) {
    int count = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (text.compare(at, prefix.size(), prefix) == 0) ++count;
        const std::size_t end = text.find('\n', at);
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return count;
}

} // namespace bench
