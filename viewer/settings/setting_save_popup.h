#pragma once
// The save-settings window: asks for the folder the recorder setup file goes to (normally the
// root of the recorder's card) and, on ok, has its receiver (the settings window) write it there.
// Created hidden with the settings window and kept for the run; the folder it was given stays
// for later saves of the same run and is not restored at the next start. User-interface thread.

#include <QImage>
#include <string>

#include "platform/dialog.h"

namespace settings {

class SettingSavePopup : public platform::Dialog {
public:
    static constexpr int kDialogId = 111;
    static constexpr int kOkId = 1060;
    static constexpr int kExitId = 1061;
    static constexpr int kCloseId = 1062;
    static constexpr int kChooseFolderId = 1063;
    static constexpr int kShown = 5;
    static constexpr int kHidden = 0;

    // Built at once and hidden.
    explicit SettingSavePopup(QWidget* parent = nullptr);

    // The window that gets WM_WRITE_SETUP from ok.
    void SetReceiver(platform::HWND receiver) { receiver_ = receiver; }
    // Places the window at (ownerX + 324, ownerY + 263) from the main window's position.
    void Place(int ownerX, int ownerY);
    // kShown or kHidden; nothing happens when the window is already so.
    void Show(int visible);
    int Visible() const { return visible_; }

    // The chosen folder, ending in a separator; empty until one is chosen.
    const std::string& Folder() const { return folder_; }

    // The window's picture, copied to the screen by every paint.
    const QImage& picture() const { return picture_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, platform::UINT code) override;
    void OnEraseBackground(QPainter& painter) override;

private:
    void ChooseFolder();
    void WriteThroughReceiver();
    void DrawPicture();

    std::string folder_;
    platform::HWND receiver_ = platform::kNoWindow;
    int visible_ = kHidden;
    QImage picture_;
};

} // namespace settings
