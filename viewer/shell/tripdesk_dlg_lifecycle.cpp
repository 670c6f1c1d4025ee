// Start-up, splash and shutdown of the main window.

#include <QPainter>
#include <QTimer>

#include "platform/bitmap_button.h"
#include "platform/clock.h"
#include "platform/displays.h"
#include "platform/fonts.h"
#include "platform/gdi.h"
#include "platform/process.h"
#include "resources/resources.h"
#include "settings/dialog_channel.h"
#include "shell/button_table.h"
#include "shell/main_window_ids.h"
#include "shell/tripdesk_dlg.h"

namespace shell {

namespace {
constexpr const char* kWindowText = "RDX4400_Viewer";
constexpr int kSplashFrameX = 199;
constexpr int kSplashFrameY = 198;
constexpr int kSplashFrameSize = 40;
constexpr unsigned kSplashFrameMs = 100;
constexpr int kSplashRounds = 2;
constexpr int kCaptionBand = 35;
} // namespace

CTripDeskDlg::CTripDeskDlg(QWidget* parent) : platform::Dialog(resources::Dialog(kMainTemplate), parent) {
    setCaptionBand(kCaptionBand);
    setSwallowedKeys(platform::kSwallowEnter | platform::kSwallowEscape);
}

CTripDeskDlg::~CTripDeskDlg() = default;

int CTripDeskDlg::Run() {
    const int result = DoModal();
    OnDestroy();
    return result;
}

int CTripDeskDlg::OnCreate() {
    started_ = false;
    paused_ = false;
    speedFactor_ = 1.0f;
    EnsureAdapter();
    LoadSkinBitmaps();
    return 0;
}

void CTripDeskDlg::EnsureAdapter() {
    // The player adapter is created here once the player bridge exists.
}

void CTripDeskDlg::LoadSkinBitmaps() {
    skin_ = resources::Bitmap(IDB_SKIN);
    backBuffer_ = resources::Bitmap(IDB_SKIN);
    speedLabelBg_ = resources::Bitmap(IDB_SPEED_LABEL_BG);
    kindIcons_ = {resources::Bitmap(IDB_KIND_INFINITY), resources::Bitmap(IDB_KIND_EVENT),
                  resources::Bitmap(IDB_KIND_SPARE), resources::Bitmap(IDB_KIND_PARKING)};
    scrollUp_ = resources::Bitmap(IDB_SCROLL_UP);
    scrollDown_ = resources::Bitmap(IDB_SCROLL_DOWN);
    speedThumb_ = resources::Bitmap(IDB_SPEED_THUMB);
}

bool CTripDeskDlg::OnInitDialog() {
    setWindowIcon(resources::AppIcon());
    setWindowTitle(QString::fromUtf8(kWindowText));
    if (!RunChannelDialog()) {
        // Cancelled: the program ends before the main window shows, nothing is saved.
        platform::ExitProcess(0);
        EndDialog(platform::IDCANCEL);
        return false;
    }
    desktop_ = platform::DesktopRect();
    MoveWindow(0, 0, kSplashWidth, kSplashHeight);
    splash_ = resources::Bitmap(IDB_SPLASH);
    PlaceButtons();
    return true;
}

bool CTripDeskDlg::RunChannelDialog() {
    encryptedView_ = false;
    settings::CDialogChannel dialog(this);
    dialog.SetOkBitmap(resources::Bitmap(IDB_CHANNEL_OK));
    if (dialog.DoModal() != platform::IDOK) return false;
    channelMode_ = dialog.channelChoice() == 0 ? 1 : 2;
    encryptedView_ = dialog.viewModeChoice() != 0;
    return true;
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

    if (auto* close = bitmapButton(IDC_CLOSE)) {
        const ButtonPlace& place = kButtonTable[1];
        close->MoveWindow(place.x, place.y, place.width, place.height);
    }
    backBuffer_ = skin_.copy();
    DrawNotice();
    update();
}

void CTripDeskDlg::DrawNotice() {
    QPainter painter(&backBuffer_);
    painter.setFont(platform::WinFont("Tahoma", 10));
    painter.setPen(QColor(112, 112, 112));
    platform::TextOut(painter, width() / 2 - 150, 756, resources::String(IDS_NOTICE));
}

void CTripDeskDlg::OnOK() {
    platform::Dialog::OnOK();
}

void CTripDeskDlg::OnCancel() {
    // Escape is swallowed, so a cancel is the system's close request: close as the button does.
    CloseCommand();
}

void CTripDeskDlg::OnSystemClose() {
    CloseCommand();
}

void CTripDeskDlg::CloseCommand() {
    OnOK();
}

void CTripDeskDlg::OnDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
}

} // namespace shell
