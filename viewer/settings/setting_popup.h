#pragma once
// The settings window: one modeless popup with three uses chosen by a mode each time the main
// window opens it (capture, clip save, viewer setting), hidden and idle in between. It owns the
// live viewer configuration, the folders and channel flags that captures and clip exports use,
// and the alert window. Created hidden in the idle mode while the main window is created.
// User-interface thread.

#include <QRect>
#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "platform/dialog.h"
#include "settings/config_value.h"
#include "settings/viewer_config.h"

namespace settings {

class AlertPopupDlg;

enum class SettingMode : std::int32_t {
    Capture = 0,
    FileSave = 1,
    ViewerSetting = 2,
    Idle = 3,
};

// The radio choices the window keeps between openings.
struct SettingChoices {
    std::int32_t channel = 0;        // 1078/1079: 0 front camera only, 1 front and rear
    std::int32_t tvOut = 0;          // 1080/1081: 0 front, 1 rear
    std::int32_t driveMode = 0;      // 1082/1083: 0 driving, 1 vehicle stopped
    std::int32_t language = 0;       // 1241..1243: never shown, so it stays 0 (Korean)
    std::int32_t captureSource = 0;  // 1084/1085: the channel a capture takes its picture from
};

// Where captures (mode 0) and clip exports (mode 1) go, and which channels they include.
struct ExportTarget {
    std::string folder;   // as chosen, normally ending in the separator; empty until chosen
    bool front = false;
    bool rear = false;
};

class SettingPopup : public platform::Dialog {
public:
    static constexpr int kDialogId = 106;
    static constexpr int kDateTimeBoxId = 1054;

    // Built at once, hidden, in the idle mode.
    explicit SettingPopup(QWidget* parent = nullptr);

    void SetMode(SettingMode mode) { mode_ = mode; }
    SettingMode Mode() const { return mode_; }

    // Takes a stored record as the live one, with the three recorder levels reset (G-sensor 4,
    // speaker 3, microphone 3); resets the channel choice to front only, shows the choices in
    // their radio groups and the current local time in the date-and-time box.
    void ApplyConfig(const ViewerConfig& record);
    // A copy of the live record with every change made since the last apply.
    ViewerConfig CurrentConfig() const { return live_; }

    // The main window's placement (x, y, width, height). This window stands at (x + 324, y + 55);
    // the alert window is placed from it too.
    void SetOwnerPosition(int x, int y, int width, int height);
    QRect OwnerPosition() const { return ownerPosition_; }

    // Shows alert number for its 2.2 seconds; the alert window is made on first use.
    void ShowAlert(int number);
    // Null until the first alert.
    const AlertPopupDlg* alertWindow() const { return alert_; }

    const SettingChoices& Choices() const { return choices_; }
    const ExportTarget& CaptureTarget() const { return targets_[0]; }
    const ExportTarget& ClipTarget() const { return targets_[1]; }
    // What the file-save mode's folder button and channel squares choose.
    void SetClipTarget(ExportTarget target) { targets_[1] = std::move(target); }
    // Fields 10 to 16 of the stored configuration: the capture and clip folders and flags; the
    // save-settings folder (field 16) stays empty while no setup file folder has been chosen.
    settings::ConfigTail ConfigTail() const;

private:
    void PushChoices();
    void ShowCurrentTime();

    SettingMode mode_ = SettingMode::Idle;
    ViewerConfig live_;
    SettingChoices choices_;
    std::array<ExportTarget, 2> targets_;   // by mode: 0 captures, 1 clip exports
    QRect ownerPosition_;
    AlertPopupDlg* alert_ = nullptr;         // a Qt child of this window
};

} // namespace settings
