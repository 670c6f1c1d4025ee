#pragma once
// The video popups: a 650 x 520 black frame with a draggable top strip and a close button, into
// which the player library moves one channel's video window. VideoPopupLeft frames channel 1,
// VideoPopupRight channel 2. Created hidden by the main window on the first request for its
// channel, then only placed, shown and hidden; the close button hides it and tells the main
// window with WM_POPUP_CLOSED. User-interface thread.

#include <QImage>
#include <array>
#include <functional>
#include <utility>

#include "platform/dialog.h"

namespace player {

struct VideoPopupKind {
    int dialogId;
    int closeButtonId;
    int channel;   // wParam of WM_POPUP_CLOSED
};

// By channel - 1: VideoPopupLeft frames channel 1, VideoPopupRight channel 2.
inline constexpr std::array<VideoPopupKind, 2> kVideoPopupKinds{{{108, 1056, 1}, {109, 1055, 2}}};

class VideoPopup : public platform::Dialog {
public:
    static constexpr int kWidth = 650;
    static constexpr int kHeight = 520;
    static constexpr int kHidden = 0;   // show-command values of SetShown
    static constexpr int kShown = 5;

    // Built at once and hidden. owner (the main window) receives WM_POPUP_CLOSED.
    VideoPopup(const VideoPopupKind& kind, platform::HWND owner, QWidget* parent = nullptr);

    // Runs after every move of the popup, so that the library's video window follows it; the
    // main window gives its adapter's NotifyMoved.
    void SetOwnerMoved(std::function<void()> ownerMoved) { ownerMoved_ = std::move(ownerMoved); }

    // Moves the popup to (mainX + 185, mainY + 130), 650 x 520, and places the close button.
    void PlacePopup(int mainX, int mainY);

    // kShown shows the popup, kHidden hides it; nothing happens when it already is in that state.
    void SetShown(int state);
    int Shown() const { return shown_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, platform::UINT code) override;
    platform::LRESULT WindowProc(platform::UINT msg, platform::WPARAM wParam,
                                 platform::LPARAM lParam) override;
    void OnEraseBackground(QPainter& painter) override;

private:
    const VideoPopupKind kind_;
    platform::HWND owner_;
    QImage picture_;   // the frame, drawn once and copied to the screen by every paint
    std::function<void()> ownerMoved_;
    int shown_ = kHidden;
};

class VideoPopupLeft final : public VideoPopup {
public:
    explicit VideoPopupLeft(platform::HWND owner, QWidget* parent = nullptr)
        : VideoPopup(kVideoPopupKinds[0], owner, parent) {}
};

class VideoPopupRight final : public VideoPopup {
public:
    explicit VideoPopupRight(platform::HWND owner, QWidget* parent = nullptr)
        : VideoPopup(kVideoPopupKinds[1], owner, parent) {}
};

} // namespace player
