#pragma once
// The alert window: a borderless box that shows one of four fixed messages for 2.2 seconds.
// Created once by the settings window and then only shown and hidden. While an alert is shown
// the user-interface thread sleeps, so the whole user interface stays unresponsive.
// User-interface thread.

#include "platform/dialog.h"

namespace settings {

class AlertPopupDlg : public platform::Dialog {
public:
    static constexpr int kDialogId = 113;
    static constexpr int kWidth = 272;
    static constexpr int kHeight = 194;
    static constexpr unsigned kShowMilliseconds = 2200;

    // Built at once and hidden.
    explicit AlertPopupDlg(QWidget* parent = nullptr);

    // Shows message number (1..4; any other number draws no text) at (ownerX + 374, ownerY + 293),
    // waits kShowMilliseconds on the platform clock and hides the window again.
    void Show(int number, int ownerX, int ownerY);

    int Number() const { return number_; }

protected:
    void OnEraseBackground(QPainter& painter) override;

private:
    void WaitUntilExposed();

    int number_ = 0;
};

} // namespace settings
