#pragma once
// The base of every window of both programs: a QWidget with a window handle, a WindowProc that
// receives numbered messages, PreTranslateMessage for keys and mouse before the window sees them,
// timers, mouse capture, a caption band that drags a borderless window, and swallowed keys.
//
// Qt input is turned into the Windows messages the windows are written against:
// mouse presses, releases, moves and double-clicks become WM_LBUTTON* / WM_MOUSEMOVE with client
// coordinates in lParam; keys become WM_KEYDOWN (WM_SYSKEYDOWN with Alt); a moved window gets
// WM_MOVE; timers arrive as WM_TIMER with the timer id in wParam.

#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "platform/win_types.h"

class QPainter;

namespace platform {

class ControlKeyFilter;

// Keys a window swallows before anything else sees them.
enum SwallowKey : unsigned {
    kSwallowNone = 0,
    kSwallowEnter = 1u << 0,
    kSwallowEscape = 1u << 1,
    kSwallowF4 = 1u << 2,    // F4 and Alt+F4; a window that swallows it also ignores close requests
    kSwallowPopupKeys = kSwallowEnter | kSwallowEscape | kSwallowF4,
};

class Window : public QWidget {
    Q_OBJECT
public:
    explicit Window(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~Window() override;

    HWND hwnd() const { return handle_; }

    // Handles one numbered message; the default answers WM_NCHITTEST (caption band) and returns 0
    // for everything else.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // Top band of this many pixels acts as the caption: pressing there and dragging moves the
    // window. 0 turns it off.
    void setCaptionBand(int pixels) { captionBand_ = pixels; }
    int captionBand() const { return captionBand_; }
    void setSwallowedKeys(unsigned keys) { swallowedKeys_ = keys; }
    unsigned swallowedKeys() const { return swallowedKeys_; }
    // Takes the swallowed keys also from the controls now inside the window, which get keys
    // first while they have the focus (a push button would take Enter, a list F4).
    void SwallowKeysInControls();

    // Timers: WM_TIMER with the id in wParam every ms milliseconds until killed. Setting an id
    // again restarts it.
    void SetTimer(UINT id, int ms);
    void KillTimer(UINT id);
    bool HasTimer(UINT id) const { return timers_.count(id) != 0; }

    // Mouse capture: while captured, moves and the release reach this window wherever the
    // pointer is.
    void SetCapture();
    void ReleaseCapture();
    bool HasCapture() const { return captured_; }

    // Placement in screen coordinates for top-level windows, parent client coordinates for
    // children.
    void MoveWindow(int x, int y, int width, int height);

    // Delivers a message as if it came from the message loop: PreTranslateMessage first, then
    // WindowProc. Returns WindowProc's result (0 when PreTranslateMessage consumed it).
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    // Sees every input message (keys, mouse) before WindowProc; true consumes it.
    virtual bool PreTranslateMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    // Painting: both run in that order inside the paint event with a painter on the widget.
    virtual void OnEraseBackground(QPainter& painter);
    virtual void OnPaint(QPainter& painter);

    // A close request from the system (window manager close, Alt+F4). The default hides the
    // window unless F4 is swallowed, in which case it is ignored.
    virtual void OnSystemClose();

    // Files dropped on the window (only called when setAcceptDrops(true)).
    virtual void OnDropFiles(const std::vector<std::string>& paths);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    friend class ControlKeyFilter;
    bool keyIsSwallowed(WPARAM vk, bool alt) const;

    HWND handle_;
    int captionBand_ = 0;
    unsigned swallowedKeys_ = kSwallowNone;
    bool captured_ = false;
    bool captionDrag_ = false;
    ControlKeyFilter* controlKeys_ = nullptr;
    QPoint captionDragOffset_;
    std::map<UINT, int> timers_;    // timer id -> Qt timer id
    std::map<int, UINT> timerIds_;  // Qt timer id -> timer id
};

} // namespace platform
