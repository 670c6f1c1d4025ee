#pragma once
// What the exchange tests share: a private folder per test, the message boxes asked for, and
// the trace lines the exchange printed.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/dialogs.h"

namespace usbconfig::testing {

inline std::filesystem::path FreshTestFolder() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path dir =
        std::filesystem::path(TRIPDESK_TEST_WORK_DIR) / info->test_suite_name() / info->name();
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Records the boxes shown while it lives, answering each with OK.
class BoxRecorder {
public:
    BoxRecorder() {
        platform::SetMessageBoxHook([this](const platform::MessageBoxRequest& request) {
            boxes.push_back(request);
            return 1;
        });
    }
    ~BoxRecorder() { platform::SetMessageBoxHook(nullptr); }
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    std::vector<platform::MessageBoxRequest> boxes;
};

} // namespace usbconfig::testing
