#include "settings/alert_popup.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTimer>
#include <cstdint>

#include "platform/clock.h"
#include "platform/fonts.h"
#include "platform/gdi.h"
#include "platform/messages.h"
#include "resources/resources.h"
#include "settings/popup_frame.h"

namespace settings {

namespace {

constexpr int kOffsetX = 374;
constexpr int kOffsetY = 293;
constexpr int kTextPoints = 14;
constexpr int kTextOffsetY = -15;   // from the window's centre
constexpr unsigned kExposeWaitMilliseconds = 250;

struct AlertMessage {
    int number;
    const char* text;
    int offsetX;   // from the window's centre
};

constexpr AlertMessage kMessages[] = {
    {1, "캡쳐가 완료되었습니다.", -90},          // the capture is complete
    {2, "저장이 완료되었습니다.", -90},          // saving is complete
    {3, "비밀번호가 일치하지 않습니다.", -125},  // the passwords do not match
    {4, "인터넷이 연결되지 않았습니다.", -125},  // the Internet is not connected
};

const AlertMessage* FindMessage(int number) {
    for (const AlertMessage& message : kMessages)
        if (message.number == number) return &message;
    return nullptr;
}

} // namespace

AlertPopupDlg::AlertPopupDlg(QWidget* parent) : platform::Dialog(resources::Dialog(kDialogId), parent) {
    setSwallowedKeys(platform::kSwallowPopupKeys);
    Create();
}

void AlertPopupDlg::Show(int number, int ownerX, int ownerY) {
    number_ = number;
    MoveWindow(ownerX + kOffsetX, ownerY + kOffsetY, kWidth, kHeight);
    // From here until the window hides, no message is handled: the user interface stands still.
    const platform::MessageHold hold;
    show();
    // Drawn before the wait: by its exposure, or at once when it was still on screen.
    WaitUntilExposed();
    // Above every window of the program, also one re-created meanwhile (a window that takes a
    // web view gets a new native window, which the window system stacks on top).
    raise();
    repaint();
    platform::Sleep(kShowMilliseconds);
    hide();
}

void AlertPopupDlg::WaitUntilExposed() {
    // A window is drawn only once the window system has exposed it. Until then only window
    // system events are handled: messages are held, user input waits for the alert.
    const std::uint64_t deadline = platform::TickCount() + kExposeWaitMilliseconds;
    QTimer wakeUp;
    wakeUp.start(kExposeWaitMilliseconds);
    while (!testAttribute(Qt::WA_Mapped) && platform::TickCount() < deadline)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
}

void AlertPopupDlg::OnEraseBackground(QPainter& painter) {
    DrawPopupFace(painter, size());
    const AlertMessage* message = FindMessage(number_);
    if (!message) return;
    painter.setFont(platform::WinFont("Tahoma", kTextPoints));
    painter.setPen(Qt::white);
    platform::TextOut(painter, width() / 2 + message->offsetX, height() / 2 + kTextOffsetY, message->text);
}

} // namespace settings
