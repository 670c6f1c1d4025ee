// A thread waiting for the user-interface thread is released when the application object goes
// without having handled its request; afterwards nothing waits at all.

#include <gtest/gtest.h>

#include <QApplication>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "platform/messages.h"
#include "platform/window.h"

namespace platform {
namespace {

class HandlerWindow : public Window {
public:
    explicit HandlerWindow(std::atomic<bool>& handled) : handled_(handled) {}
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_USER) {
            handled_ = true;
            return 1;
        }
        return Window::WindowProc(msg, wParam, lParam);
    }

private:
    std::atomic<bool>& handled_;
};

TEST(UiShutdown, WaitersAreReleasedWhenTheApplicationGoes) {
    int argc = 1;
    char name[] = "platform_ui_shutdown_test";
    char* argv[] = {name, nullptr};
    auto app = std::make_unique<QApplication>(argc, argv);
    std::atomic<bool> handled{false};
    auto window = std::make_unique<HandlerWindow>(handled);
    const HWND hwnd = window->hwnd();

    std::atomic<int> started{0};
    LRESULT sendResult = -1;
    bool runResult = true;
    std::atomic<bool> functionRan{false};
    std::thread sender([&] {
        ++started;
        sendResult = SendMessage(hwnd, WM_USER, 0, 0);
    });
    std::thread runner([&] {
        ++started;
        runResult = RunOnUiThread([&] { functionRan = true; });
    });
    while (started < 2) std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));

    // Neither request is ever handled: the window and then the application go first.
    window.reset();
    app.reset();
    sender.join();
    runner.join();
    EXPECT_EQ(sendResult, 0);
    EXPECT_FALSE(runResult);
    EXPECT_FALSE(functionRan);
    EXPECT_FALSE(handled);

    std::thread late([&] {
        EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 0);
        EXPECT_FALSE(RunOnUiThread([&] { functionRan = true; }));
    });
    late.join();
    EXPECT_FALSE(functionRan);
}

} // namespace
} // namespace platform
