#pragma once
// The information window opened by the main window's Info button: the program's date, version
// and maker lines on a black popup with a close button. Created once on first use, then only
// shown and hidden; its close button hides it. User-interface thread.

#include <QImage>

#include "platform/dialog.h"

namespace settings {

class InfoPopup : public platform::Dialog {
public:
    static constexpr int kDialogId = 107;
    static constexpr int kCloseButtonId = 1050;

    // Built at once, drawn and hidden.
    explicit InfoPopup(QWidget* parent = nullptr);

    // Places the window at (ownerX + 324, ownerY + 263) from the main window's position; the
    // owner shows and hides it.
    void Place(int ownerX, int ownerY);

    // The window's picture, drawn once and copied to the screen by every paint.
    const QImage& picture() const { return picture_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, platform::UINT code) override;
    void OnEraseBackground(QPainter& painter) override;

private:
    void DrawPicture();

    QImage picture_;
};

} // namespace settings
