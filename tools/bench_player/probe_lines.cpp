#include "probe_lines.h"

#include <charconv>
#include <sstream>

namespace bench {

std::optional<double> ProbeLine::number(const std::string& key) const {
    const auto it = values.find(key);
    if (it == values.end()) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(it->second.data(), it->second.data() + it->second.size(), value);
    if (error != std::errc() || end != it->second.data() + it->second.size()) return std::nullopt;
    return value;
}

std::vector<ProbeLine> ParseProbeLines(const std::string& output) {
    std::vector<ProbeLine> lines;
    std::istringstream stream(output);
    for (std::string text; std::getline(stream, text);) {
        std::istringstream words(text);
        std::string word;
        ProbeLine line;
        if (!(words >> word)) continue;
        int code = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), code);
        if (error != std::errc() || end != word.data() + word.size()) {
            line.values["word"] = word;   // "benchmark ..." and the like
        } else {
            line.code = code;
        }
        while (words >> word) {
            const std::size_t equals = word.find('=');
            if (equals != std::string::npos) line.values[word.substr(0, equals)] = word.substr(equals + 1);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace bench
