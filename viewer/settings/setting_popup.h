#pragma once
// The settings window: one modeless popup with three uses chosen by a mode each time the main
// window opens it (capture, clip save, viewer setting), hidden and idle in between. It owns the
// live viewer configuration, the folders and channel flags that captures and clip exports use,
// the save-settings window and the alert window, and writes the recorder setup file. Created
// hidden in the idle mode while the main window is created. User-interface thread.

#include <QImage>
#include <QRect>
#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "capture/capture_frames.h"
#include "platform/dialog.h"
#include "settings/config_value.h"
#include "settings/setting_choices.h"
#include "settings/setting_slider.h"
#include "settings/viewer_config.h"

namespace player {
class TarnAdap;
}

namespace settings {

class AlertPopupDlg;
class SettingSavePopup;

enum class SettingMode : std::int32_t {
    Capture = 0,
    FileSave = 1,
    ViewerSetting = 2,
    Idle = 3,
};

// Where captures (mode 0) and clip exports (mode 1) go, and which channels they include.
struct ExportTarget {
    std::string folder;   // as chosen, ending in the separator; empty until chosen
    bool front = false;
    bool rear = false;
};

class SettingPopup : public platform::Dialog {
public:
    static constexpr int kDialogId = 106;
    static constexpr int kCloseId = 1045;
    static constexpr int kChooseFolderId = 1046;
    static constexpr int kActionId = 1047;
    static constexpr int kExitId = 1048;
    static constexpr int kDateTimeBoxId = 1054;
    static constexpr int kShown = 5;
    static constexpr int kHidden = 0;
    static constexpr int kBufferWidth = 377;
    static constexpr int kBufferHeight = 690;
    // The file-error text the window shows when the setup file cannot be written; %1 the path.
    static constexpr const char* kFileErrorText = "An incorrect file handle was associated with %1.";

    // Built at once, hidden, in the idle mode, with its save-settings window. The parent is the
    // main window, which gets WM_SAVE_CLIP.
    explicit SettingPopup(QWidget* parent = nullptr);

    void SetMode(SettingMode mode) { mode_ = mode; }
    SettingMode Mode() const { return mode_; }
    // Sizes the window for the current mode, places and shows its controls, and draws it.
    void Arrange();
    // kShown or kHidden; nothing happens when the window is already so.
    void Show(int visible);
    int Visible() const { return visible_; }

    // The main window's copies of the pictures and the capture name, kept (never owned) for the
    // capture mode's button.
    void SetCaptureFrames(const capture::CaptureFrames* frames) { captureFrames_ = frames; }

    // The player adapter handed over by the setting command; kept, never owned.
    void SetAdapter(player::TarnAdap* adapter) { adapter_ = adapter; }
    player::TarnAdap* Adapter() const { return adapter_; }

    // Takes a stored record as the live one, with the three recorder levels reset (G-sensor 4,
    // speaker 3, microphone 3) and the sliders placed at them; resets the channel choice to
    // front only, shows the choices in their radio groups and the current local time in the
    // date-and-time box.
    void ApplyConfig(const ViewerConfig& record);
    // A copy of the live record with every change made since the last apply.
    ViewerConfig CurrentConfig() const { return live_; }

    // The main window's placement (x, y, width, height). This window stands at (x + 324, y + 55),
    // the save-settings window at (x + 324, y + 263); the alert window is placed from it too.
    void SetOwnerPosition(int x, int y, int width, int height);
    QRect OwnerPosition() const { return ownerPosition_; }

    // Shows alert number for its 2.2 seconds; the alert window is made on first use.
    void ShowAlert(int number);
    // Null until the first alert.
    const AlertPopupDlg* alertWindow() const { return alert_; }

    SettingSavePopup& savePopup() const { return *savePopup_; }

    // The radio choices as last read from their groups (at a capture and at a setup write).
    const SettingChoices& Choices() const { return choices_; }
    const ExportTarget& CaptureTarget() const { return targets_[0]; }
    const ExportTarget& ClipTarget() const { return targets_[1]; }
    // What the file-save mode's folder button and channel squares choose.
    void SetClipTarget(ExportTarget target) { targets_[1] = std::move(target); }
    // Thumb offsets of the G-sensor, speaker and microphone sliders, in pixels.
    const std::array<int, kSliderCount>& SliderPositions() const { return sliderPositions_; }
    bool Dragging() const { return dragging_; }
    // Fields 10 to 16 of the stored configuration: the capture and clip folders and flags and
    // the save-settings folder.
    settings::ConfigTail ConfigTail() const;

    // The window's picture (377 x 690, the current mode's size of it on screen).
    const QImage& backBuffer() const { return backBuffer_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, platform::UINT code) override;
    platform::LRESULT WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) override;
    void OnEraseBackground(QPainter& painter) override;

private:
    // Choices and texts.
    void PushChoices();
    void PullChoices();
    void ShowCurrentTime();
    std::string DateTimeText() const;

    // Modes and buttons.
    void ArrangeButtons();
    void ArrangeModeControls();
    void RunAction();
    void RunExit();
    void RunClose();
    void ChooseFolder();
    void GoIdle();
    void WriteSetupFile();
    ExportTarget& ModeTarget();

    // Mouse: slider drags (Viewer Setting) and channel squares (File Save).
    void OnLButtonDown(int x, int y);
    void OnMouseMove(int x, int y);
    void OnLButtonUp();
    void ToggleSquareAt(int x, int y);

    // Drawing into the back buffer.
    void Redraw();
    void DrawExportContents(QPainter& painter);
    void DrawSettingContents(QPainter& painter);
    void RedrawSlider(int index);

    SettingMode mode_ = SettingMode::Idle;
    ViewerConfig live_;
    SettingChoices choices_;
    std::array<ExportTarget, 2> targets_;   // by mode: 0 captures, 1 clip exports
    std::array<int, kSliderCount> sliderPositions_{};
    bool dragging_ = false;
    QRect ownerPosition_;
    int visible_ = kHidden;
    player::TarnAdap* adapter_ = nullptr;
    const capture::CaptureFrames* captureFrames_ = nullptr;
    SettingSavePopup* savePopup_ = nullptr;   // Qt children of this window
    AlertPopupDlg* alert_ = nullptr;
    QImage backBuffer_;
    SliderPieces sliderPieces_;
};

} // namespace settings
