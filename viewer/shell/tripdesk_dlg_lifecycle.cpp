// Start-up, splash and shutdown of the main window.

#include <QPainter>
#include <QTimer>

#include "catalogue/files_open_popup.h"
#include "platform/bitmap_button.h"
#include "platform/clock.h"
#include "platform/displays.h"
#include "platform/fonts.h"
#include "platform/gdi.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "player/tarn_adap.h"
#include "player/video_popup.h"
#include "resources/resources.h"
#include "settings/config_store.h"
#include "settings/dialog_channel.h"
#include "settings/info_popup.h"
#include "usbconfig/usb_tool_popup.h"
#include "settings/setting_popup.h"
#include "shell/autoplay.h"
#include "shell/button_table.h"
#include "shell/main_window_areas.h"
#include "shell/main_window_ids.h"
#include "shell/tripdesk_dlg.h"
#include "telemetry/draw_gps.h"
#include "telemetry/draw_gsenser.h"
#include "telemetry/draw_progress_bar.h"
#include "telemetry/draw_title.h"
#include "telemetry/draw_volume_bar.h"
#include "telemetry/user_data_presenter.h"

namespace shell {

namespace {
constexpr const char* kWindowText = "RDX4400_Viewer";
constexpr int kSplashFrameX = 199;
constexpr int kSplashFrameY = 198;
constexpr int kSplashFrameSize = 40;
constexpr unsigned kSplashFrameMs = 100;
constexpr int kSplashRounds = 2;
constexpr int kCaptionBand = 35;
// The three plain push buttons (seek and frame step) in the skin's colours.
constexpr const char* kPushButtonStyle =
    "QPushButton { color: rgb(200, 200, 200); background: rgb(44, 48, 54); border: 1px solid rgb(70, 76, 84);"
    " border-radius: 3px; font-size: 11px; }"
    "QPushButton:pressed { background: rgb(170, 255, 75); color: black; }";

struct ControlPlace {
    int id;  // child window id; two pairs share theirs
    int bitmap;
    int x, y;
};
constexpr ControlPlace kVolumeBarPlace{120, 306, 793, 473};
constexpr ControlPlace kProgressBarPlace{130, 307, 28, 480};
constexpr ControlPlace kGpsPlace{110, 308, 437, 456};
constexpr ControlPlace kGSensorPlace{120, 309, 28, 592};
constexpr ControlPlace kTitlePlace{130, 321, 435, 0};

template <class Control>
Control* MakeControl(QWidget* parent, const ControlPlace& place) {
    auto* control = new Control(parent);
    control->SetControlId(place.id);
    control->SetBitmap(resources::Bitmap(place.bitmap), place.x, place.y);
    control->show();
    return control;
}
} // namespace

CTripDeskDlg::CTripDeskDlg(QWidget* parent, std::string playerLibrary)
    : platform::Dialog(resources::Dialog(kMainTemplate), parent), playerLibrary_(std::move(playerLibrary)) {
    setCaptionBand(kCaptionBand);
    setSwallowedKeys(platform::kSwallowEnter | platform::kSwallowEscape);
}

CTripDeskDlg::~CTripDeskDlg() {
    OnDestroy();
}

int CTripDeskDlg::Run() {
    const int result = DoModal();
    OnDestroy();
    return result;
}

int CTripDeskDlg::OnCreate() {
    started_ = false;
    playing_ = false;
    dragging_ = false;
    mapWindowOpen_ = false;
    popupShown_ = {false, false};
    speedSliderPos_ = 48;
    EnsureAdapter();
    CreateTelemetryControls();
    settings_ = new settings::SettingPopup(this);
    CreateMap();
    ResetPlayState();
    LoadConfiguration();
    LoadSkinBitmaps();
    return 0;
}

void CTripDeskDlg::EnsureAdapter() {
    if (adapter_) return;
    adapter_ = std::make_unique<player::TarnAdap>(hwnd());
    adapter_->SetVideoRect(0, 24, 88, 480, 360);
    adapter_->SetVideoRect(1, 514, 88, 480, 360);
    adapter_->TraceState();
    adapter_->LoadPlayer(playerLibrary_.c_str());
    adapter_->TraceState();
    adapter_->TraceState();
}

void CTripDeskDlg::CreateTelemetryControls() {
    volumeBar_ = MakeControl<telemetry::CDrawVolumeBar>(this, kVolumeBarPlace);
    progressBar_ = MakeControl<telemetry::CDrawProgressBar>(this, kProgressBarPlace);
    gpsPanel_ = MakeControl<telemetry::CDrawGps>(this, kGpsPlace);
    gsensorGraph_ = MakeControl<telemetry::CDrawGSenser>(this, kGSensorPlace);
    title_ = MakeControl<telemetry::CDrawTitle>(this, kTitlePlace);
    presenter_ = std::make_unique<telemetry::UserDataPresenter>(*gpsPanel_, *gsensorGraph_, *progressBar_);
}

void CTripDeskDlg::LoadConfiguration() {
    const settings::ParsedConfig stored = settings::ConfigStore(platform::RegistryStore::Default()).Load();
    // A damaged value must not push the bar or the player outside their ranges.
    if (stored.volumeBarPosition >= 0)
        volumeBar_->SetLevel(std::min(stored.volumeBarPosition, telemetry::CDrawVolumeBar::kFullLevel));
    SetVolumePercent(std::clamp(stored.volumePercent, 0, 100));
    settings_->ApplyConfig(stored.config);
}

void CTripDeskDlg::SaveConfiguration() {
    if (!settings_) return;
    settings::ConfigStore(platform::RegistryStore::Default())
        .Save(settings_->CurrentConfig(), volumePercent_, volumeBar_->GetLevel(), settings_->ConfigTail());
}

void CTripDeskDlg::LoadSkinBitmaps() {
    skin_ = resources::Bitmap(IDB_SKIN);
    backBuffer_ = resources::Bitmap(IDB_SKIN);
    speedLabelBg_ = resources::Bitmap(IDB_SPEED_LABEL_BG);
    scrollUp_ = resources::Bitmap(IDB_SCROLL_UP);
    scrollDown_ = resources::Bitmap(IDB_SCROLL_DOWN);
    speedThumb_ = resources::Bitmap(IDB_SPEED_THUMB);
}

bool CTripDeskDlg::OnInitDialog() {
    setWindowIcon(resources::AppIcon());
    setWindowTitle(QString::fromUtf8(kWindowText));
    if (!RunChannelDialog()) {
        // Cancelled: the program ends before the main window shows, nothing is saved.
        aborted_ = true;
        platform::ExitProcess(0);
        EndDialog(platform::IDCANCEL);
        return false;
    }
    desktop_ = platform::DesktopRect();
    MoveWindow(0, 0, kSplashWidth, kSplashHeight);
    splash_ = resources::Bitmap(IDB_SPLASH);
    PlaceButtons();
    paused_ = false;
    return true;
}

bool CTripDeskDlg::RunChannelDialog() {
    adapter_->encryptedView = 0;
    settings::CDialogChannel dialog(this);
    dialog.SetOkBitmap(resources::Bitmap(IDB_CHANNEL_OK));
    if (dialog.DoModal() != platform::IDOK) return false;
    adapter_->channelMode = dialog.channelChoice() == 0 ? 1 : 2;
    adapter_->encryptedView = dialog.viewModeChoice();
    return true;
}

int CTripDeskDlg::channelMode() const {
    return adapter_ ? adapter_->channelMode.load() : 2;
}

void CTripDeskDlg::PlaceButtons() {
    for (const ButtonPlace& place : kButtonTable) {
        const ButtonPlace& now = place.id == IDC_CLOSE ? kCloseOnSplash : place;
        QWidget* control = GetDlgItem(now.id);
        if (!control) continue;
        if (auto* button = qobject_cast<platform::BitmapButton*>(control)) {
            button->LoadBitmaps(resources::Bitmap(now.normalBitmap), resources::Bitmap(now.pressedBitmap));
            button->MoveWindow(now.x, now.y, now.width, now.height);
            button->SizeToContent();
        } else {
            control->setGeometry(now.x, now.y, now.width, now.height);
            control->setStyleSheet(kPushButtonStyle);
        }
        control->setVisible(!now.hidden);
    }
}

void CTripDeskDlg::ShowSplash() {
    QPainter splash(&splash_);
    for (int round = 0; round < kSplashRounds; ++round) {
        for (int i = 0; i < kSplashFrameCount; ++i) {
            splash.drawImage(QRect(kSplashFrameX, kSplashFrameY, kSplashFrameSize, kSplashFrameSize),
                             resources::Bitmap(IDB_SPLASH_FRAME_FIRST + i));
            repaint();
            platform::Sleep(kSplashFrameMs);
        }
    }
    splash.end();

    started_ = true;
    // Integer division on purpose: a desktop narrower than the window gives a negative x.
    const int x = (desktop_.width() - kMainWidth) / 2;
    const int y = (desktop_.height() - kMainHeight) / 2;
    MoveWindow(x, y, kMainWidth, kMainHeight);
    mainPlacement_ = QRect(x, y, kMainWidth, kMainHeight);
    settings_->SetOwnerPosition(x, y, kMainWidth, kMainHeight);

    if (auto* close = bitmapButton(IDC_CLOSE)) {
        const ButtonPlace& place = kButtonTable[1];
        close->MoveWindow(place.x, place.y, place.width, place.height);
    }
    backBuffer_ = skin_.copy();
    DrawNotice();
    RedrawList({kListHeaderArea, kListRestoreArea, kTitleArea}, {});
    RedrawSpeedLabel();
    update();
    StartAutoplay();
}

void CTripDeskDlg::StartAutoplay() {
    std::vector<std::string> files = AutoplayFiles();
    if (files.empty()) return;
    traceFrames_ = true;
    QTimer::singleShot(0, this, [this, files = std::move(files)] {
        OnDropFiles(files);
        CmdPlay();
    });
}

void CTripDeskDlg::DrawNotice() {
    QPainter painter(&backBuffer_);
    painter.setFont(platform::WinFont("Tahoma", 10));
    painter.setPen(QColor(112, 112, 112));
    platform::TextOut(painter, width() / 2 - 150, 756, resources::String(IDS_NOTICE));
}

void CTripDeskDlg::OnCancel() {
    // Escape is swallowed, so a cancel is the system's close request: close as the button does.
    CmdClose();
}

void CTripDeskDlg::OnSystemClose() {
    CmdClose();
}

void CTripDeskDlg::OnDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    playing_ = false;
    if (progressBar_) progressBar_->SetShowTime(false);
    if (!aborted_) SaveConfiguration();
    adapter_.reset();
    auto dispose = [](auto*& window) {
        if (!window) return;
        window->hide();
        delete window;
        window = nullptr;
    };
    dispose(settings_);
    dispose(info_);
    dispose(videoPopups_[0]);
    dispose(videoPopups_[1]);
    DeleteMapWindow();
    list_.clear();
    dispose(filesOpen_);
    dispose(usbTool_);
}

} // namespace shell
