#pragma once
// Helpers for window-level tests on the offscreen platform: wait for a condition while the event
// loop runs, act on the modal dialog that a window runs, and send keys the way a user would.

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>

namespace tripdesk::test {

// Processes events until pred holds or the time runs out; returns pred's last answer.
inline bool WaitUntil(const std::function<bool()>& pred, int timeoutMs = 10000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end) return pred();
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qWait(5);
    }
    return true;
}

// Runs action on the first visible modal window of type T, once one appears (for dialogs that a
// window under test runs with its own event loop). Polls from the event loop.
template <class T>
void WhenModal(std::function<void(T*)> action, int timeoutMs = 10000) {
    auto* timer = new QTimer;
    auto started = std::chrono::steady_clock::now();
    QObject::connect(timer, &QTimer::timeout, [timer, action, started, timeoutMs] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()); dialog && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(dialog);
        } else if (std::chrono::steady_clock::now() - started > std::chrono::milliseconds(timeoutMs)) {
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
