#pragma once
// Helpers for window-level tests on the offscreen platform: wait for a condition while the event
// loop runs, act on the modal dialog that a window runs, and send keys the way a user would.
// User-interface thread only.

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>

namespace tripdesk::test {

// Processes events (deferred deletions too) until condition holds or the limit passes; returns
// whether it held. A condition that holds at once returns without processing anything.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = std::chrono::seconds(30));

// Processes events for this long, for tests that show that something does not happen.
void PumpFor(std::chrono::milliseconds duration);

// Runs action on the first visible modal window of type T, once one appears (for dialogs that a
// window under test runs with its own event loop). Polls from the event loop.
template <class T>
void WhenModal(std::function<void(T*)> action, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    auto* timer = new QTimer;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    QObject::connect(timer, &QTimer::timeout, [timer, action, deadline] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()); dialog && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(dialog);
        } else if (std::chrono::steady_clock::now() > deadline) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

inline void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(widget, key, modifiers);
}

} // namespace tripdesk::test
