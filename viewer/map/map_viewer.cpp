#include "map/map_viewer.h"

#include <QPainter>

#include "map/web_browser2.h"
#include "platform/bitmap_button.h"
#include "platform/connection.h"
#include "platform/cursor.h"
#include "platform/messages.h"
#include "resources/resources.h"

namespace map {

namespace {
constexpr int kWidth = 520;
constexpr int kHeight = 470;
constexpr int kOffsetX = 250;
constexpr int kOffsetY = 155;
constexpr int kCaptionBand = 35;
constexpr int kCloseBitmap = 207;
constexpr int kClosePressedBitmap = 209;
const QRect kClosePlace(468, 0, 45, 25);
const QRect kBrowserMade(-12, -17, 500, 410);
const QRect kBrowserPlace(5, 35, 510, 430);
constexpr int kWaitMs = 1000;
constexpr int kUpdateMs = 1200;
constexpr int kWaitTicks = 7;      // timer 200 ends at its seventh tick
constexpr int kCountedTicks = 7;   // timer 100 counts up to here before pushing
constexpr platform::WPARAM kNoConnectionAlert = 4;
const QColor kBorderGrey(150, 150, 150);

const std::string& OrZero(const std::string& text) {
    static const std::string zero = "0.0";
    return text.empty() ? zero : text;
}
} // namespace

MapViewer::MapViewer(platform::HWND owner, QWidget* parent)
    : platform::Dialog(resources::Dialog(kTemplateId), parent), owner_(owner) {
    setSwallowedKeys(platform::kSwallowPopupKeys);
    setCaptionBand(kCaptionBand);
    Create();
}

MapViewer::~MapViewer() {
    KillTimer(kUpdateTimerId);
    KillTimer(kWaitTimerId);
    delete browser_;
    page_.RemovePage();
}

int MapViewer::OnCreate() {
    backBuffer_ = QImage(kWidth, kHeight, QImage::Format_RGB32);
    backBuffer_.fill(Qt::black);
    QPainter frame(&backBuffer_);
    frame.setPen(kBorderGrey);
    frame.drawRect(0, 0, kWidth - 1, kHeight - 1);
    shown_ = false;
    updates_ = false;
    return 0;
}

int MapViewer::ShowMap(int x, int y, bool paused) {
    platform::WaitCursor wait;
    paused_ = paused;
    MoveWindow(x + kOffsetX, y + kOffsetY, kWidth, kHeight);
    if (platform::BitmapButton* close = bitmapButton(kCloseButtonId)) {
        close->LoadBitmaps(resources::Bitmap(kCloseBitmap), resources::Bitmap(kClosePressedBitmap));
        close->MoveWindow(kClosePlace.x(), kClosePlace.y(), kClosePlace.width(), kClosePlace.height());
    }
    if (!browser_) {
        browser_ = new CWebBrowser2(this, kBrowserMade, kMapBrowserId);
        connect(browser_, &CWebBrowser2::pageLoaded, this, [this] { browser_->ShowRoute(route_); });
        connect(browser_, &CWebBrowser2::routeEntryClicked, this, [this](int entry) {
            if (routeClicked_) routeClicked_(entry);
        });
    }
    browser_->MoveWindow(kBrowserPlace.x(), kBrowserPlace.y(), kBrowserPlace.width(), kBrowserPlace.height());
    latitude_ = OrZero(latitude_);
    longitude_ = OrZero(longitude_);
    if (!page_.WriteMapPage(MapPageVariant::MapWindow, latitude_, longitude_)) return 0;
    if (!platform::InternetGetConnectedState()) {
        platform::SendMessage(owner_, WM_SHOW_ALERT, kNoConnectionAlert, 0);
        return 0;
    }
    show();
    shown_ = true;
    browser_->Navigate(page_.pageAddress());
    markerMoves_.NewPage();
    ticks_ = 0;
    updates_ = false;
    SetTimer(kWaitTimerId, kWaitMs);
    return 1;
}

void MapViewer::ToggleMapUpdates() {
    paused_ = !paused_;
    // Before the page had its time to load, the seventh wait tick decides.
    if (HasTimer(kWaitTimerId) || !shown_) return;
    updates_ = !paused_;
    markerMoves_.Forget();
    if (updates_) SetTimer(kUpdateTimerId, kUpdateMs);
    else KillTimer(kUpdateTimerId);
}

void MapViewer::SetRoute(std::vector<RoutePoint> points) {
    route_ = std::move(points);
    if (browser_ && browser_->loaded()) browser_->ShowRoute(route_);
}

void MapViewer::SetPosition(const std::string& latitude, const std::string& longitude) {
    latitude_ = latitude;
    longitude_ = longitude;
    if (markerMoves_.WakeOn(OrZero(latitude_), OrZero(longitude_))) SetTimer(kUpdateTimerId, kUpdateMs);
}

void MapViewer::OnWaitTick() {
    if (!platform::InternetGetConnectedState()) {
        GiveUpOffline(kWaitTimerId);
        return;
    }
    if (++ticks_ < kWaitTicks) return;
    KillTimer(kWaitTimerId);
    updates_ = !paused_;
    if (updates_) SetTimer(kUpdateTimerId, kUpdateMs);
}

void MapViewer::OnUpdateTick() {
    if (!platform::InternetGetConnectedState()) {
        GiveUpOffline(kUpdateTimerId);
        return;
    }
    if (ticks_ <= kCountedTicks) {
        ++ticks_;
        return;
    }
    const std::string latitude = OrZero(latitude_);
    const std::string longitude = OrZero(longitude_);
    if (!markerMoves_.TakeTick(latitude, longitude)) {
        KillTimer(kUpdateTimerId);
        return;
    }
    browser_->PushMapPosition(latitude, longitude);
}

void MapViewer::GiveUpOffline(unsigned timerId) {
    updates_ = false;
    KillTimer(timerId);
    platform::SendMessage(owner_, WM_SHOW_ALERT, kNoConnectionAlert, 0);
    hide();
    shown_ = false;
}

void MapViewer::Close() {
    updates_ = false;
    markerMoves_.Forget();
    KillTimer(kUpdateTimerId);
    KillTimer(kWaitTimerId);
    platform::PostMessage(owner_, WM_MAP_CLOSED, 0, 0);
    hide();
    shown_ = false;
}

bool MapViewer::OnCommand(int id, platform::UINT code) {
    if (id != kCloseButtonId || code != platform::BN_CLICKED) return false;
    Close();
    return true;
}

platform::LRESULT MapViewer::WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) {
    if (msg == platform::WM_TIMER && wParam == kWaitTimerId) {
        OnWaitTick();
        return 0;
    }
    if (msg == platform::WM_TIMER && wParam == kUpdateTimerId) {
        OnUpdateTick();
        return 0;
    }
    return platform::Dialog::WindowProc(msg, wParam, lParam);
}

void MapViewer::OnEraseBackground(QPainter& painter) { painter.drawImage(0, 0, backBuffer_); }

} // namespace map
