// Numbered messages between threads: queued, blocking and direct delivery, and messages to
// windows that are gone.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "gui_support.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace platform {
namespace {

constexpr UINT WM_RECORD = WM_USER + 1;
constexpr UINT WM_TWICE = WM_USER + 2;
constexpr UINT WM_DESTROY_REQUEST = WM_USER + 3;

// Lives outside the window so that it can be read after the window is gone.
struct Log {
    std::vector<WPARAM> values;
    std::vector<std::thread::id> threads;
};

class ProbeWindow : public Window {
public:
    explicit ProbeWindow(Log& log) : log_(log) {}

    std::function<void()> onDestroyRequest;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case WM_RECORD:
            log_.values.push_back(wParam);
            log_.threads.push_back(std::this_thread::get_id());
            return 0;
        case WM_TIMER:
            log_.values.push_back(1000 + wParam);
            return 0;
        case WM_TWICE:
            log_.threads.push_back(std::this_thread::get_id());
            return static_cast<LRESULT>(wParam * 2);
        case WM_DESTROY_REQUEST: {
            const auto request = onDestroyRequest;  // may delete this window
            if (request) request();
            return 0;
        }
        default:
            return Window::WindowProc(msg, wParam, lParam);
        }
    }

private:
    Log& log_;
};

using tripdesk::test::WaitUntil;

TEST(Messages, NotifyFromWorkerIsQueuedAndHandledInOrderOnTheUiThread) {
    Log log;
    ProbeWindow window(log);
    const HWND hwnd = window.hwnd();
    constexpr WPARAM kCount = 200;

    std::thread worker([hwnd] {
        for (WPARAM i = 0; i < kCount; ++i) EXPECT_TRUE(SendNotifyMessage(hwnd, WM_RECORD, i, 0));
    });
    worker.join();
    EXPECT_TRUE(log.values.empty()) << "handled on the worker instead of queued";

    ASSERT_TRUE(WaitUntil([&] { return log.values.size() == kCount; }));
    for (WPARAM i = 0; i < kCount; ++i) EXPECT_EQ(log.values[i], i);
    for (const auto& id : log.threads) EXPECT_EQ(id, std::this_thread::get_id());
}

TEST(Messages, SendFromWorkerBlocksUntilHandledAndReturnsTheResult) {
    Log log;
    ProbeWindow window(log);
    const HWND hwnd = window.hwnd();
    std::atomic<bool> returned{false};
    LRESULT result = 0;

    std::thread worker([&] {
        result = SendMessage(hwnd, WM_TWICE, 21, 0);
        returned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(returned) << "returned before the user-interface thread handled it";

    ASSERT_TRUE(WaitUntil([&] { return returned.load(); }));
    worker.join();
    EXPECT_EQ(result, 42);
    ASSERT_EQ(log.threads.size(), 1u);
    EXPECT_EQ(log.threads[0], std::this_thread::get_id());
}

TEST(Messages, SendAndNotifyOnTheUiThreadAreDirectAndPostIsQueued) {
    Log log;
    ProbeWindow window(log);
    EXPECT_TRUE(IsUiThread());

    EXPECT_EQ(SendMessage(window.hwnd(), WM_TWICE, 5, 0), 10);
    EXPECT_TRUE(SendNotifyMessage(window.hwnd(), WM_RECORD, 1, 0));
    EXPECT_EQ(log.values, std::vector<WPARAM>{1});

    EXPECT_TRUE(PostMessage(window.hwnd(), WM_RECORD, 2, 0));
    EXPECT_EQ(log.values.size(), 1u);
    ASSERT_TRUE(WaitUntil([&] { return log.values.size() == 2; }));
    EXPECT_EQ(log.values[1], 2u);
}

TEST(Messages, MessagesToADestroyedWindowAreDropped) {
    Log log;
    auto window = std::make_unique<ProbeWindow>(log);
    const HWND hwnd = window->hwnd();
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(FromHandle(hwnd), window.get());

    // Posted before the window goes, delivered after.
    ASSERT_TRUE(PostMessage(hwnd, WM_RECORD, 1, 0));
    std::thread([hwnd] { EXPECT_TRUE(SendNotifyMessage(hwnd, WM_RECORD, 2, 0)); }).join();
    window.reset();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(log.values.empty());

    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(FromHandle(hwnd), nullptr);
    EXPECT_EQ(SendMessage(hwnd, WM_TWICE, 4, 0), 0);
    EXPECT_FALSE(PostMessage(hwnd, WM_RECORD, 3, 0));
    EXPECT_FALSE(SendNotifyMessage(hwnd, WM_RECORD, 3, 0));
    LRESULT fromWorker = -1;
    std::thread([&] { fromWorker = SendMessage(hwnd, WM_TWICE, 4, 0); }).join();
    EXPECT_EQ(fromWorker, 0);
    EXPECT_TRUE(log.values.empty());

    // The handle is never given to another window.
    ProbeWindow next(log);
    EXPECT_NE(next.hwnd(), hwnd);
    EXPECT_NE(next.hwnd(), kNoWindow);
}

TEST(Messages, CrossThreadSendToAWindowDestroyedMeanwhileReturnsZero) {
    Log log;
    auto window = std::make_unique<ProbeWindow>(log);
    const HWND hwnd = window->hwnd();
    window->onDestroyRequest = [&window] { window.reset(); };

    std::atomic<bool> sending{false};
    std::atomic<bool> returned{false};
    LRESULT result = -1;
    std::thread worker([&] {
        SendNotifyMessage(hwnd, WM_DESTROY_REQUEST, 0, 0);
        sending = true;
        result = SendMessage(hwnd, WM_TWICE, 21, 0);
        returned = true;
    });
    // No events are handled until both are queued behind each other; the first destroys the
    // window the second is for.
    while (!sending) std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(WaitUntil([&] { return returned.load(); }));
    worker.join();
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(log.threads.empty());
}

TEST(Messages, FunctionsRunOnTheUiThread) {
    const auto uiThread = std::this_thread::get_id();
    std::vector<int> order;
    std::atomic<bool> ranBeforeReturn{false};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i) PostToUiThread([&order, i] { order.push_back(i); });
        std::thread::id ranOn;
        const bool ran = RunOnUiThread([&] { ranOn = std::this_thread::get_id(); });
        ranBeforeReturn = ran && ranOn == uiThread;
        done = true;
    });
    ASSERT_TRUE(WaitUntil([&] { return done.load(); }));
    worker.join();
    EXPECT_TRUE(ranBeforeReturn);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));

    bool direct = false;
    EXPECT_TRUE(RunOnUiThread([&] { direct = true; }));
    EXPECT_TRUE(direct);
}

TEST(Messages, AHoldKeepsQueuedMessagesAndTimersUntilItEndsThenRunsThemFirstInOrder) {
    Log log;
    ProbeWindow window(log);
    constexpr UINT kTimer = 7;
    {
        const MessageHold outer;
        EXPECT_TRUE(MessagesHeld());
        ASSERT_TRUE(PostMessage(window.hwnd(), WM_RECORD, 1, 0));
        std::thread([&window] { EXPECT_TRUE(SendNotifyMessage(window.hwnd(), WM_RECORD, 2, 0)); }).join();
        window.SetTimer(kTimer, 1);
        {
            const MessageHold inner;
            ASSERT_TRUE(PostMessage(window.hwnd(), WM_RECORD, 3, 0));
        }
        EXPECT_TRUE(MessagesHeld()) << "the outer hold still stands";
        // Events handled for a while deliver nothing, not even a timer tick.
        tripdesk::test::PumpFor(std::chrono::milliseconds(100));
        EXPECT_TRUE(log.values.empty());
        window.KillTimer(kTimer);
    }
    EXPECT_FALSE(MessagesHeld());
    ASSERT_TRUE(PostMessage(window.hwnd(), WM_RECORD, 4, 0));
    ASSERT_TRUE(WaitUntil([&] { return log.values.size() == 4; }));
    EXPECT_EQ(log.values, (std::vector<WPARAM>{1, 2, 3, 4}));
}

TEST(Messages, ACrossThreadSendWaitsForTheHoldToEnd) {
    Log log;
    ProbeWindow window(log);
    std::atomic<bool> returned{false};
    LRESULT result = 0;
    std::thread worker;
    {
        const MessageHold hold;
        worker = std::thread([&] {
            result = SendMessage(window.hwnd(), WM_TWICE, 8, 0);
            returned = true;
        });
        tripdesk::test::PumpFor(std::chrono::milliseconds(100));
        EXPECT_FALSE(returned);
    }
    ASSERT_TRUE(WaitUntil([&] { return returned.load(); }));
    worker.join();
    EXPECT_EQ(result, 16);
}

} // namespace
} // namespace platform
