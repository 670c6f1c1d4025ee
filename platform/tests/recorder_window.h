#pragma once
// A window that records every message it handles, for the window-level tests.

#include <algorithm>
#include <string>
#include <vector>

#include "platform/window.h"

namespace platform::test {

struct Message {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

class RecorderWindow : public Window {
public:
    using Window::Window;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        seen.push_back({msg, wParam, lParam});
        return Window::WindowProc(msg, wParam, lParam);
    }

    std::vector<Message> of(UINT msg) const {
        std::vector<Message> out;
        std::copy_if(seen.begin(), seen.end(), std::back_inserter(out),
                     [msg](const Message& m) { return m.msg == msg; });
        return out;
    }

    std::vector<Message> seen;
    std::vector<std::vector<std::string>> drops;
    UINT consumed = 0;  // PreTranslateMessage consumes this message

protected:
    bool PreTranslateMessage(UINT msg, WPARAM, LPARAM) override { return consumed != 0 && msg == consumed; }
    void OnDropFiles(const std::vector<std::string>& paths) override { drops.push_back(paths); }
};

} // namespace platform::test
