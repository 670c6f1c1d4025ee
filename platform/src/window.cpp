#include "platform/window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QTimerEvent>
#include <QUrl>
#include <array>
#include <utility>

#include "command_notify.h"
#include "platform/messages.h"
#include "window_table.h"

namespace platform {

namespace {

constexpr std::array<std::pair<int, WPARAM>, 15> kVirtualKeys{{
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Backspace, 0x08},
    {Qt::Key_Tab, 0x09},
    {Qt::Key_Space, 0x20},
    {Qt::Key_PageUp, 0x21},
    {Qt::Key_PageDown, 0x22},
    {Qt::Key_End, 0x23},
    {Qt::Key_Home, 0x24},
    {Qt::Key_Left, 0x25},
    {Qt::Key_Up, 0x26},
    {Qt::Key_Right, 0x27},
    {Qt::Key_Down, 0x28},
    {Qt::Key_Delete, 0x2E},
}};

constexpr WPARAM kVkF1 = 0x70;
constexpr int kFunctionKeys = 12;

// The Windows virtual key of a Qt key; 0 for keys the windows are not written against.
WPARAM VirtualKey(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return static_cast<WPARAM>(key);  // Qt uses the ASCII codes, as Windows does
    if (key >= Qt::Key_F1 && key < Qt::Key_F1 + kFunctionKeys)
        return kVkF1 + static_cast<WPARAM>(key - Qt::Key_F1);
    for (const auto& [qtKey, vk] : kVirtualKeys)
        if (qtKey == key) return vk;
    return 0;
}

WPARAM MouseKeyState(const QMouseEvent* event) {
    WPARAM state = 0;
    if (event->buttons() & Qt::LeftButton) state |= MK_LBUTTON;
    if (event->buttons() & Qt::RightButton) state |= MK_RBUTTON;
    if (event->modifiers() & Qt::ShiftModifier) state |= MK_SHIFT;
    if (event->modifiers() & Qt::ControlModifier) state |= MK_CONTROL;
    return state;
}

LPARAM ClientPoint(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return MAKELPARAM(p.x(), p.y());
}

LPARAM ScreenPoint(const QMouseEvent* event) {
    const QPoint p = event->globalPosition().toPoint();
    return MAKELPARAM(p.x(), p.y());
}

} // namespace

// Watches the controls of one window for the keys that window swallows.
class ControlKeyFilter : public QObject {
public:
    explicit ControlKeyFilter(Window* window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const WPARAM vk = VirtualKey(key->key());
            if (vk != 0 && window_->keyIsSwallowed(vk, key->modifiers() & Qt::AltModifier)) return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Window* window_;
};

namespace detail {

void NotifyParentCommand(QWidget* control, int id, UINT code) {
    for (QWidget* w = control ? control->parentWidget() : nullptr; w; w = w->parentWidget()) {
        if (auto* window = qobject_cast<Window*>(w)) {
            window->WindowProc(WM_COMMAND, MAKEWPARAM(static_cast<std::uint16_t>(id), code), 0);
            return;
        }
    }
}

} // namespace detail

Window::Window(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), handle_(detail::RegisterWindow(this)) {
    detail::PrepareUiThread();
    // Windows report every mouse move, not only moves with a button held.
    setMouseTracking(true);
}

Window::~Window() {
    if (captured_) releaseMouse();
    detail::UnregisterWindow(handle_);
}

LRESULT Window::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    (void)wParam;
    if (msg != WM_NCHITTEST) return 0;
    const QPoint local = mapFromGlobal(QPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    const bool inBand = local.y() >= 0 && local.y() < captionBand_ && local.x() >= 0 &&
                        local.x() < width();
    return inBand ? HTCAPTION : HTCLIENT;
}

LRESULT Window::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (PreTranslateMessage(msg, wParam, lParam)) return 0;
    return WindowProc(msg, wParam, lParam);
}

bool Window::PreTranslateMessage(UINT, WPARAM, LPARAM) { return false; }

void Window::OnEraseBackground(QPainter&) {}

void Window::OnPaint(QPainter&) {}

void Window::OnSystemClose() {
    if (!(swallowedKeys_ & kSwallowF4)) hide();
}

void Window::OnDropFiles(const std::vector<std::string>&) {}

void Window::SwallowKeysInControls() {
    if (!controlKeys_) controlKeys_ = new ControlKeyFilter(this);
    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(controlKeys_);
}

void Window::SetTimer(UINT id, int ms) {
    KillTimer(id);
    const int qtId = startTimer(ms);
    if (qtId == 0) return;
    timers_[id] = qtId;
    timerIds_[qtId] = id;
}

void Window::KillTimer(UINT id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) return;
    killTimer(it->second);
    timerIds_.erase(it->second);
    timers_.erase(it);
}

void Window::SetCapture() {
    grabMouse();
    captured_ = true;
}

void Window::ReleaseCapture() {
    if (!captured_) return;
    releaseMouse();
    captured_ = false;
}

void Window::MoveWindow(int x, int y, int width, int height) {
    // A window of fixed size takes the new size as its fixed size.
    const bool fixedSize = minimumSize() == maximumSize();
    move(x, y);
    if (fixedSize)
        setFixedSize(width, height);
    else
        resize(width, height);
}

bool Window::keyIsSwallowed(WPARAM vk, bool alt) const {
    (void)alt;  // F4 is swallowed with and without Alt
    return (vk == VK_RETURN && (swallowedKeys_ & kSwallowEnter)) ||
           (vk == VK_ESCAPE && (swallowedKeys_ & kSwallowEscape)) ||
           (vk == VK_F4 && (swallowedKeys_ & kSwallowF4));
}

void Window::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    OnEraseBackground(painter);
    OnPaint(painter);
}

void Window::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (isWindow() && WindowProc(WM_NCHITTEST, 0, ScreenPoint(event)) == HTCAPTION) {
        // The caption band moves the window; the client sees nothing of it, as on Windows.
        captionDrag_ = true;
        captionDragOffset_ = event->globalPosition().toPoint() - pos();
        return;
    }
    Dispatch(WM_LBUTTONDOWN, MouseKeyState(event), ClientPoint(event));
}

void Window::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (captionDrag_) {
        captionDrag_ = false;
        return;
    }
    Dispatch(WM_LBUTTONUP, MouseKeyState(event), ClientPoint(event));
}

void Window::mouseMoveEvent(QMouseEvent* event) {
    if (captionDrag_) {
        if (event->buttons() & Qt::LeftButton)
            move(event->globalPosition().toPoint() - captionDragOffset_);
        else
            captionDrag_ = false;  // the release went elsewhere
        return;
    }
    Dispatch(WM_MOUSEMOVE, MouseKeyState(event), ClientPoint(event));
}

void Window::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    if (isWindow() && WindowProc(WM_NCHITTEST, 0, ScreenPoint(event)) == HTCAPTION) return;
    Dispatch(WM_LBUTTONDBLCLK, MouseKeyState(event), ClientPoint(event));
}

void Window::keyPressEvent(QKeyEvent* event) {
    const WPARAM vk = VirtualKey(event->key());
    if (vk == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (keyIsSwallowed(vk, alt)) {
        event->accept();
        return;
    }
    const UINT msg = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    constexpr LPARAM kRepeatOnce = 1;
    constexpr LPARAM kAltDown = LPARAM{1} << 29;
    const LPARAM lParam = kRepeatOnce | (alt ? kAltDown : 0);
    if (PreTranslateMessage(msg, vk, lParam)) {
        event->accept();
        return;
    }
    WindowProc(msg, vk, lParam);
    if (!isWindow()) {
        // A child's key goes on to the window around it, as the dialog manager sees it there.
        event->ignore();
        return;
    }
    event->accept();
    if (alt && vk == VK_F4) OnSystemClose();
}

void Window::moveEvent(QMoveEvent* event) {
    const QPoint p = event->pos();
    WindowProc(WM_MOVE, 0, MAKELPARAM(p.x(), p.y()));
}

void Window::timerEvent(QTimerEvent* event) {
    const auto it = timerIds_.find(event->timerId());
    if (it == timerIds_.end()) {
        QWidget::timerEvent(event);
        return;
    }
    if (MessagesHeld()) return;
    Dispatch(WM_TIMER, it->second, 0);
}

void Window::closeEvent(QCloseEvent* event) {
    // Every close request is the system's; the window decides in OnSystemClose.
    event->ignore();
    OnSystemClose();
}

void Window::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (!mime || !mime->hasUrls()) return;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void Window::dropEvent(QDropEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (!mime || !mime->hasUrls()) return;
    std::vector<std::string> paths;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    if (paths.empty()) return;
    event->acceptProposedAction();
    OnDropFiles(paths);
}

} // namespace platform
