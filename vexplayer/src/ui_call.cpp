#include "ui_call.h"

#include <QApplication>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/messages.h"

namespace vexplayer {

namespace {

enum class CallState { Queued, Running, Done, Dropped };

struct SharedCall {
    std::mutex mutex;
    std::condition_variable changed;
    CallState state = CallState::Queued;

    void set(CallState next) {
        {
            std::lock_guard lock(mutex);
            state = next;
        }
        changed.notify_all();
    }
};

// Travels with the queued work; a call destroyed before it ran counts as dropped.
struct Ticket {
    std::shared_ptr<SharedCall> call;
    ~Ticket() {
        if (!call) return;
        std::lock_guard lock(call->mutex);
        if (call->state == CallState::Queued) call->state = CallState::Dropped;
        call->changed.notify_all();
    }
};

constexpr auto kPollInterval = std::chrono::milliseconds(5);

} // namespace

bool HasWidgetApplication() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

bool RunOnUiThreadUnlessCancelled(std::function<void()> work, const std::function<bool()>& cancelled) {
    if (!HasWidgetApplication()) return false;
    if (platform::IsUiThread()) {
        work();
        return true;
    }
    auto call = std::make_shared<SharedCall>();
    auto ticket = std::make_shared<Ticket>();
    ticket->call = call;
    platform::PostToUiThread([ticket, work = std::move(work)] {
        {
            std::lock_guard lock(ticket->call->mutex);
            if (ticket->call->state != CallState::Queued) return;   // the waiter gave up
            ticket->call->state = CallState::Running;
        }
        work();
        ticket->call->set(CallState::Done);
    });
    ticket.reset();
    std::unique_lock lock(call->mutex);
    while (true) {
        if (call->changed.wait_for(lock, kPollInterval, [&] {
                return call->state == CallState::Done || call->state == CallState::Dropped;
            }))
            return call->state == CallState::Done;
        if (call->state == CallState::Queued && cancelled()) {
            call->state = CallState::Dropped;
            return false;
        }
    }
}

} // namespace vexplayer
