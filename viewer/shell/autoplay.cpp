#include "shell/autoplay.h"

#include <algorithm>
#include <cstdlib>

namespace shell {

std::vector<std::string> SplitPathList(const std::string& list) {
    std::vector<std::string> paths;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        if (end > start) paths.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return paths;
}

std::vector<std::string> AutoplayFiles() {
    const char* value = std::getenv(kAutoplayVariable);
    return value ? SplitPathList(value) : std::vector<std::string>();
}

} // namespace shell
