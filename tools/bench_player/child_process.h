#pragma once
// Runs a program to its end and measures it: wall time, CPU time (from the kernel's accounting of
// the child), its standard output, its exit code.

#include <optional>
#include <string>
#include <vector>

namespace bench {

struct ChildRun {
    int exitCode = -1;
    double wallSeconds = 0;
    double cpuSeconds = 0;   // user + system of the child and everything it waited for
    std::string output;
};

// Standard input is /dev/null, standard error goes to /dev/null unless keepErrors.
std::optional<ChildRun> RunChild(const std::vector<std::string>& argv, bool keepErrors = false);

} // namespace bench
