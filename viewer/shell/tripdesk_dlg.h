#pragma once
// The viewer's main window: a borderless skinned 1020 x 780 dialog that owns the player adapter,
// the telemetry controls, the settings window, the play list and every popup. All drawing goes
// into the back buffer, which painting copies to the screen. User-interface thread only.

#include <QImage>
#include <QRect>
#include <array>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "capture/capture_frames.h"
#include "platform/dialog.h"
#include "shell/model/pixel_rect.h"
#include "shell/model/play_list.h"
#include "shell/model/speed_ladder.h"
#include "telemetry/clip_time_source.h"

namespace player {
class TarnAdap;
class VideoPopup;
}
namespace telemetry {
class CDrawVolumeBar;
class CDrawProgressBar;
class CDrawGps;
class CDrawGSenser;
class CDrawTitle;
class UserDataPresenter;
}
namespace settings {
class SettingPopup;
class InfoPopup;
}
namespace catalogue {
class FilesOpenPopup;
}
namespace usbconfig {
class UsbToolPopup;
}
namespace map {
class MainWindowMap;
class MapViewer;
}

namespace shell {

class CTripDeskDlg : public platform::Dialog, public telemetry::ClipTimeSource {
    Q_OBJECT
public:
    static constexpr const char* kPlayerLibrary = "vexplayer.dll";

    // playerLibrary: the Windows name of the player library ("vexplayer.dll").
    explicit CTripDeskDlg(QWidget* parent = nullptr, std::string playerLibrary = kPlayerLibrary);
    ~CTripDeskDlg() override;

    // Runs the window modally until it closes, then tears it down in order.
    int Run();

    // The progress bar's clip times: false when either output is missing.
    bool GetClipTimes(int* length, int* position) override;

    // What tests and other windows read.
    const QImage& backBuffer() const { return backBuffer_; }
    bool started() const { return started_; }
    bool playing() const { return playing_; }
    bool paused() const { return paused_; }
    int channelMode() const;
    QRect mainPlacement() const { return mainPlacement_; }
    const PlayList& playList() const { return list_; }
    const SpeedLadder& speed() const { return speed_; }
    int speedSliderPos() const { return speedSliderPos_; }
    int volumePercent() const { return volumePercent_; }
    bool leftPopupShown() const { return popupShown_[0]; }
    bool rightPopupShown() const { return popupShown_[1]; }
    player::TarnAdap* adapter() const { return adapter_.get(); }
    telemetry::CDrawProgressBar* progressBar() const { return progressBar_; }
    telemetry::CDrawVolumeBar* volumeBar() const { return volumeBar_; }
    telemetry::CDrawGps* gpsPanel() const { return gpsPanel_; }
    telemetry::CDrawGSenser* gsensorGraph() const { return gsensorGraph_; }
    settings::SettingPopup* settingPopup() const { return settings_; }
    settings::InfoPopup* infoPopup() const { return info_; }
    player::VideoPopup* videoPopup(int channel) const;
    catalogue::FilesOpenPopup* filesOpenPopup() const { return filesOpen_; }
    usbconfig::UsbToolPopup* usbToolPopup() const { return usbTool_; }
    const capture::CaptureFrames& captureFrames() const { return captureFrames_; }
    map::MainWindowMap* mainWindowMap() const { return mainMap_; }
    map::MapViewer* mapViewer() const { return mapViewer_; }
    bool mapWindowOpen() const { return mapWindowOpen_; }

protected:
    int OnCreate() override;
    bool OnInitDialog() override;
    void OnCancel() override;
    bool OnCommand(int id, platform::UINT code) override;
    bool PreTranslateMessage(platform::UINT msg, platform::WPARAM wParam,
                             platform::LPARAM lParam) override;
    platform::LRESULT WindowProc(platform::UINT msg, platform::WPARAM wParam,
                                 platform::LPARAM lParam) override;
    void showEvent(QShowEvent* event) override;
    void OnEraseBackground(QPainter& painter) override;
    void OnPaint(QPainter& painter) override;
    void OnSystemClose() override;
    void OnDropFiles(const std::vector<std::string>& paths) override;

private:
    struct Command;
    static const std::array<Command, 22> kCommands;

    // Start-up and shutdown.
    void EnsureAdapter();
    void CreateTelemetryControls();
    void LoadConfiguration();
    void SaveConfiguration();
    bool RunChannelDialog();
    void LoadSkinBitmaps();
    void PlaceButtons();
    void ShowSplash();
    void StartAutoplay();
    void DrawNotice();
    void OnDestroy();

    // Commands.
    void CmdMin();
    void CmdClose();
    void CmdPrevFile();
    void CmdNextFile();
    void CmdPlay();
    void CmdPause();
    void CmdStop();
    void CmdForwardSeek();
    void CmdBackSeek();
    void CmdFrameStep();
    void CmdFast();
    void CmdSlow();
    void CmdDeleteList();
    void CmdInfo();
    void CmdOpenFile();
    void CmdClockfix();
    void CmdUsb();
    void CmdSave();
    void CmdSetting();
    void CmdCapture();
    void CmdPrint();
    void CmdMap();

    // Playback.
    bool OpenCurrentRecording();
    void ResetSpeed();
    void StopPlayback();
    void ResetPlayState();
    void RedrawListArea();
    void SetVolumePercent(int percent);
    // The volume bar at level (0..135) and the player's volume at what that level gives.
    void SetVolumeLevel(int level);
    void TraceState();
    // The player resumes on every seek: the pause state follows it.
    void SeekPlayer(float seconds, bool relative);
    bool PlayingWithAdapter() const;

    // Mouse.
    void OnLButtonDown(int x, int y);
    void OnMouseMove(int x, int y);
    void OnLButtonUp(int x, int y);
    bool OnLButtonDblClk(int x, int y);
    void PressProgressTrack(int x);
    // Pause, the progress bar at position, a seek to seconds (by default those of the position).
    void SeekLikeProgressClick(int position, std::optional<double> seconds);
    void PressSpeedTrack(int x);
    void MoveVolumeTo(int x);
    void BeginDrag(int mode);

    // Play list: restores the given areas of the back buffer from the skin, draws the list into
    // them alone, and invalidates the other given areas.
    void RedrawList(std::initializer_list<PixelRect> restored, std::initializer_list<PixelRect> invalidated);
    void DrawList(QPainter& buffer);
    void ListAreaChanged();
    void RestoreFromSkin(const QRect& area);

    // The map in the channel-2 area (nothing when the viewer is built without its map).
    void CreateMap();
    void ShowMapPage();
    void OnMapTimer();
    // A double-click on the channel-2 area (the window's or the embedded browser's) opens the map
    // window in place of the embedded map.
    void OpenMapWindowFromArea();
    void MapPauseChanged();
    void DeleteMapWindow();
    // The route of each opened recording, and a click on it: what a progress-track click does,
    // at the clicked step.
    void LoadMapRoute(const std::string& frontPath);
    void SeekToRouteEntry(int entry);
    void MakeMapWindow();

    // Private messages.
    platform::LRESULT OnPlayerPopup(platform::WPARAM channel);
    platform::LRESULT OnClipEnd(platform::LPARAM reason);
    platform::LRESULT OnPopupClosed(platform::WPARAM channel);
    platform::LRESULT OnPlayerUserData();
    platform::LRESULT OnFilesAdd(platform::WPARAM count, platform::LPARAM kind);
    platform::LRESULT OnShowAlert(platform::WPARAM number);
    platform::LRESULT OnMapClosed();
    platform::LRESULT OnFilesPopupClosed(platform::WPARAM which);
    platform::LRESULT OnSaveClip(platform::WPARAM front, platform::LPARAM rear);

    // Painting helpers.
    void RedrawSpeedLabel();
    void UpdateProgressTexts();
    void InvalidateRect(const QRect& area);

    const std::string playerLibrary_;
    std::unique_ptr<player::TarnAdap> adapter_;
    PlayList list_;
    SpeedLadder speed_;

    telemetry::CDrawVolumeBar* volumeBar_ = nullptr;
    telemetry::CDrawProgressBar* progressBar_ = nullptr;
    telemetry::CDrawGps* gpsPanel_ = nullptr;
    telemetry::CDrawGSenser* gsensorGraph_ = nullptr;
    telemetry::CDrawTitle* title_ = nullptr;
    std::unique_ptr<telemetry::UserDataPresenter> presenter_;
    map::MainWindowMap* mainMap_ = nullptr;   // a child of this window
    map::MapViewer* mapViewer_ = nullptr;

    settings::SettingPopup* settings_ = nullptr;
    settings::InfoPopup* info_ = nullptr;
    std::array<player::VideoPopup*, 2> videoPopups_{};
    catalogue::FilesOpenPopup* filesOpen_ = nullptr;
    usbconfig::UsbToolPopup* usbTool_ = nullptr;
    capture::CaptureFrames captureFrames_;   // kept until the next capture

    QImage skin_;          // clean copy of the window skin, the source for erasing areas
    QImage backBuffer_;    // the only picture of the window
    QImage speedLabelBg_;  // piece 320
    QImage scrollUp_, scrollDown_, speedThumb_;
    QImage splash_;        // what the window shows until the splash ends

    QRect desktop_;
    QRect mainPlacement_;  // x, y of the main window and 1020 x 780

    bool started_ = false;
    bool splashScheduled_ = false;
    bool destroyed_ = false;
    bool aborted_ = false;  // the channel dialog was cancelled: nothing may be saved
    bool playing_ = false;
    bool paused_ = false;
    bool dragging_ = false;
    int dragMode_ = 0;     // 0 progress thumb, 1 speed thumb, 2 volume thumb, 3 list scroll thumb
    bool mapWindowOpen_ = false;
    bool traceFrames_ = false;  // unattended playback: every frame shown is traced
    long framesShown_ = 0;
    std::array<bool, 2> popupShown_{};
    int speedSliderPos_ = 48;
    int volumePercent_ = 0;
};

} // namespace shell
