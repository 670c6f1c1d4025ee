#pragma once
// Reading playerprobe's lines: "CODE key=value key=value ...".

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace bench {

struct ProbeLine {
    int code = -1;
    std::map<std::string, std::string> values;

    std::optional<double> number(const std::string& key) const;
};

std::vector<ProbeLine> ParseProbeLines(const std::string& output);

} // namespace bench
