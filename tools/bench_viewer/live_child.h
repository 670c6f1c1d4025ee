#pragma once
// A child process that runs while the benchmark watches it: its output is collected from a pipe
// without blocking, its CPU time is read from /proc/PID/stat. Ended (and waited for) on
// destruction.

#include <string>
#include <sys/types.h>
#include <vector>

namespace bench {

class LiveChild {
public:
    // argv[0] is looked up in PATH; environment entries "NAME=value" are added to the
    // benchmark's own.
    LiveChild(const std::vector<std::string>& argv, const std::vector<std::string>& environment);
    ~LiveChild();
    LiveChild(const LiveChild&) = delete;
    LiveChild& operator=(const LiveChild&) = delete;

    bool running() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    // Reads what the child wrote since the last call; returns all output so far.
    const std::string& output();
    // User plus system CPU seconds of the child so far; negative when it cannot be read.
    double cpuSeconds() const;

private:
    pid_t pid_ = -1;
    int outputFd_ = -1;
    std::string output_;
};

// Counts the lines of text that start with prefix.
int CountLines(const std::string& text, const std::string& prefix);

} // namespace bench
