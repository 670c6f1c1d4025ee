#include "platform/messages.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/window.h"
#include "window_table.h"

namespace platform {

namespace {

// --- window table -------------------------------------------------------------------------------

struct WindowTable {
    std::mutex mutex;
    std::unordered_map<HWND, Window*> windows;
    HWND next = 0x10000;
};

WindowTable& Table() {
    static WindowTable table;
    return table;
}

// --- hand-over to the user-interface thread -----------------------------------------------------

// What a blocked caller waits for: the result, and whether the call ran at all.
class Completion {
public:
    void finish(LRESULT result, bool ran) {
        {
            std::lock_guard lock(mutex_);
            if (done_) return;
            done_ = true;
            result_ = result;
            ran_ = ran;
        }
        cv_.notify_all();
    }
    std::pair<LRESULT, bool> wait() {
        std::unique_lock lock(mutex_);
        cv_.wait(lock, [this] { return done_; });
        return {result_, ran_};
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool done_ = false;
    bool ran_ = false;
    LRESULT result_ = 0;
};

QEvent::Type CallEventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

// A call queued for the user-interface thread. An event that is destroyed without being
// delivered (the application shuts down) releases its waiter with "did not run".
// The call is made on the sending thread and read on the user-interface thread. Qt's queue
// orders that hand-over; Published() says it again in terms ThreadSanitizer sees, since Qt is not
// built with it: every queued event is published before it is posted and acquired before use.
std::atomic<std::uint64_t>& Published() {
    static std::atomic<std::uint64_t> count{0};
    return count;
}

class CallEvent : public QEvent {
public:
    CallEvent(std::function<LRESULT()> call, std::shared_ptr<Completion> completion)
        : QEvent(CallEventType()), call_(std::move(call)), completion_(std::move(completion)) {}
    ~CallEvent() override {
        Published().load(std::memory_order_acquire);
        if (completion_) completion_->finish(0, false);
    }
    void run() {
        const LRESULT result = call_();
        if (completion_) completion_->finish(result, true);
    }
    // The same call in a new event, for queueing it again; this one is left empty.
    std::unique_ptr<CallEvent> takeOver() {
        return std::make_unique<CallEvent>(std::move(call_), std::move(completion_));
    }

private:
    std::function<LRESULT()> call_;
    std::shared_ptr<Completion> completion_;
};

// Calls that arrived during a message hold. User-interface thread only.
struct HeldCalls {
    int holds = 0;
    std::vector<std::unique_ptr<CallEvent>> calls;
};

HeldCalls& Held() {
    static HeldCalls held;
    return held;
}

class Dispatcher : public QObject {
public:
    bool event(QEvent* event) override {
        Published().load(std::memory_order_acquire);
        if (event->type() != CallEventType()) return QObject::event(event);
        auto* call = static_cast<CallEvent*>(event);
        if (Held().holds > 0)
            Held().calls.push_back(call->takeOver());
        else
            call->run();
        return true;
    }
};

// The dispatcher of the current application object, made on first use from any thread and
// deleted (with the calls still queued to it) when the application object goes.
struct Bridge {
    std::mutex mutex;
    Dispatcher* dispatcher = nullptr;
    QCoreApplication* app = nullptr;
};

Bridge& TheBridge() {
    static Bridge bridge;
    return bridge;
}

void OnApplicationDestroyed() {
    Dispatcher* gone = nullptr;
    {
        Bridge& bridge = TheBridge();
        std::lock_guard lock(bridge.mutex);
        gone = bridge.dispatcher;
        bridge.dispatcher = nullptr;
        bridge.app = nullptr;
    }
    delete gone;
}

// The dispatcher of app, made when missing. Windows make it on the user-interface thread; a
// request from another thread before the first window makes it there. Bridge mutex held.
Dispatcher* DispatcherOf(Bridge& bridge, QCoreApplication* app) {
    if (bridge.app != app) {
        // A dispatcher of an earlier application object went with it.
        bridge.dispatcher = new Dispatcher;
        bridge.dispatcher->moveToThread(app->thread());
        bridge.app = app;
        QObject::connect(app, &QObject::destroyed, &OnApplicationDestroyed);
    }
    return bridge.dispatcher;
}

// Queues the event; false (the event deleted) when there is no application to run it.
bool Queue(std::unique_ptr<CallEvent> event) {
    Bridge& bridge = TheBridge();
    std::lock_guard lock(bridge.mutex);
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QCoreApplication::closingDown()) return false;
    Published().fetch_add(1, std::memory_order_release);
    QCoreApplication::postEvent(DispatcherOf(bridge, app), event.release());
    return true;
}

LRESULT DeliverToWindow(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* window = FromHandle(hwnd);
    return window ? window->WindowProc(msg, wParam, lParam) : 0;
}

bool QueueMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(hwnd)) return false;
    return Queue(std::make_unique<CallEvent>(
        [=] { return DeliverToWindow(hwnd, msg, wParam, lParam); }, nullptr));
}

// Queues the held calls again ahead of everything queued since, in their order.
void ReleaseHeldCalls() {
    std::vector<std::unique_ptr<CallEvent>> calls = std::move(Held().calls);
    Held().calls.clear();
    Bridge& bridge = TheBridge();
    std::lock_guard lock(bridge.mutex);
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QCoreApplication::closingDown()) return;  // dropped calls release their waiters
    for (auto& call : calls) {
        Published().fetch_add(1, std::memory_order_release);
        QCoreApplication::postEvent(DispatcherOf(bridge, app), call.release(), Qt::HighEventPriority);
    }
}

} // namespace

MessageHold::MessageHold() { ++Held().holds; }

MessageHold::~MessageHold() {
    if (--Held().holds == 0) ReleaseHeldCalls();
}

bool MessagesHeld() { return Held().holds > 0; }

namespace detail {

HWND RegisterWindow(Window* window) {
    WindowTable& table = Table();
    std::lock_guard lock(table.mutex);
    const HWND hwnd = table.next++;
    table.windows.emplace(hwnd, window);
    return hwnd;
}

void PrepareUiThread() {
    Bridge& bridge = TheBridge();
    std::lock_guard lock(bridge.mutex);
    if (QCoreApplication* app = QCoreApplication::instance(); app && IsUiThread()) DispatcherOf(bridge, app);
}

void UnregisterWindow(HWND hwnd) {
    WindowTable& table = Table();
    std::lock_guard lock(table.mutex);
    table.windows.erase(hwnd);
}

} // namespace detail

bool IsWindow(HWND hwnd) {
    WindowTable& table = Table();
    std::lock_guard lock(table.mutex);
    return table.windows.count(hwnd) != 0;
}

Window* FromHandle(HWND hwnd) {
    WindowTable& table = Table();
    std::lock_guard lock(table.mutex);
    const auto it = table.windows.find(hwnd);
    return it == table.windows.end() ? nullptr : it->second;
}

bool IsUiThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (IsUiThread()) return DeliverToWindow(hwnd, msg, wParam, lParam);
    if (!IsWindow(hwnd)) return 0;
    auto completion = std::make_shared<Completion>();
    if (!Queue(std::make_unique<CallEvent>(
            [=] { return DeliverToWindow(hwnd, msg, wParam, lParam); }, completion)))
        return 0;
    return completion->wait().first;
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return QueueMessage(hwnd, msg, wParam, lParam);
}

bool SendNotifyMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsUiThread()) return QueueMessage(hwnd, msg, wParam, lParam);
    Window* window = FromHandle(hwnd);
    if (!window) return false;
    window->WindowProc(msg, wParam, lParam);
    return true;
}

bool RunOnUiThread(const std::function<void()>& fn) {
    if (IsUiThread()) {
        fn();
        return true;
    }
    auto completion = std::make_shared<Completion>();
    if (!Queue(std::make_unique<CallEvent>(
            [&fn] {
                fn();
                return LRESULT{0};
            },
            completion)))
        return false;
    return completion->wait().second;
}

void PostToUiThread(std::function<void()> fn) {
    Queue(std::make_unique<CallEvent>(
        [fn = std::move(fn)] {
            fn();
            return LRESULT{0};
        },
        nullptr));
}

} // namespace platform
