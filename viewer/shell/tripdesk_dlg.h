#pragma once
// The viewer's main window: a borderless skinned 1020 x 780 dialog that owns the player adapter,
// the telemetry controls, the settings window, the play list and every popup. All drawing goes
// into the back buffer, which painting copies to the screen. User-interface thread only.

#include <QImage>
#include <QRect>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialog.h"

namespace shell {

class CTripDeskDlg : public platform::Dialog {
    Q_OBJECT
public:
    explicit CTripDeskDlg(QWidget* parent = nullptr);
    ~CTripDeskDlg() override;

    // Runs the window modally until it closes, then tears it down in order.
    int Run();

    // What tests and other windows read.
    const QImage& backBuffer() const { return backBuffer_; }
    bool started() const { return started_; }
    int channelMode() const { return channelMode_; }
    QRect mainPlacement() const { return mainPlacement_; }

protected:
    int OnCreate() override;
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id, platform::UINT code) override;
    bool PreTranslateMessage(platform::UINT msg, platform::WPARAM wParam,
                             platform::LPARAM lParam) override;
    platform::LRESULT WindowProc(platform::UINT msg, platform::WPARAM wParam,
                                 platform::LPARAM lParam) override;
    void OnEraseBackground(QPainter& painter) override;
    void OnPaint(QPainter& painter) override;
    void OnSystemClose() override;

private:
    // Start-up and shutdown.
    void EnsureAdapter();
    bool RunChannelDialog();
    void LoadSkinBitmaps();
    void PlaceButtons();
    void ShowSplash();
    void DrawNotice();
    void OnDestroy();
    void CloseCommand();

    // Painting helpers.
    void RestoreSpeedLabelBackground();
    void DrawSpeedLabel();

    QImage skin_;          // clean copy of the window skin, the source for erasing areas
    QImage backBuffer_;    // the only picture of the window
    QImage speedLabelBg_;  // piece 320
    std::array<QImage, 4> kindIcons_;  // 195, 196, 197, 302
    QImage scrollUp_, scrollDown_, speedThumb_;
    QImage splash_;        // what the window shows until the splash ends

    QRect desktop_;
    QRect mainPlacement_;  // x, y of the main window and 1020 x 780

    int channelMode_ = 2;
    bool encryptedView_ = false;
    bool started_ = false;
    bool splashScheduled_ = false;
    bool destroyed_ = false;
    bool paused_ = false;
    float speedFactor_ = 1.0f;
    std::string speedLabel_;
};

} // namespace shell
