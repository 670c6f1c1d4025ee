#include "gui_support.h"

#include <thread>

namespace tripdesk::test {

using namespace std::chrono_literals;

namespace {

void ProcessEventsOnce() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::this_thread::sleep_for(1ms);
}

} // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        ProcessEventsOnce();
    }
    return true;
}

void PumpFor(std::chrono::milliseconds duration) {
    const auto until = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < until) ProcessEventsOnce();
}

} // namespace tripdesk::test
