#pragma once
// A window that records every message it handles and every set of files dropped on it, and can
// consume one message in PreTranslateMessage. User-interface thread only.

#include <string>
#include <vector>

#include "platform/window.h"

namespace tripdesk::test {

struct Message {
    platform::UINT msg;
    platform::WPARAM wParam;
    platform::LPARAM lParam;
};

class RecorderWindow : public platform::Window {
public:
    using platform::Window::Window;

    platform::LRESULT WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) override {
        seen.push_back({msg, wParam, lParam});
        return platform::Window::WindowProc(msg, wParam, lParam);
    }

    // The recorded messages of one number, in order.
    std::vector<Message> Of(platform::UINT msg) const {
        std::vector<Message> out;
        for (const Message& m : seen)
            if (m.msg == msg) out.push_back(m);
        return out;
    }

    std::vector<Message> seen;
    std::vector<std::vector<std::string>> drops;
    platform::UINT consumed = 0;  // PreTranslateMessage consumes this message

protected:
    bool PreTranslateMessage(platform::UINT msg, platform::WPARAM, platform::LPARAM) override {
        return consumed != 0 && msg == consumed;
    }
    void OnDropFiles(const std::vector<std::string>& paths) override { drops.push_back(paths); }
};

} // namespace tripdesk::test
