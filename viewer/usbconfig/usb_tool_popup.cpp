#include "usbconfig/usb_tool_popup.h"

#include <QPainter>

#include "platform/controls.h"
#include "resources/resources.h"
#include "usbconfig/device_config_store.h"
#include "usbconfig/usb_tab_display.h"
#include "usbconfig/usb_tab_etc.h"
#include "usbconfig/usb_tab_rec_set.h"
#include "usbconfig/usb_tab_recorder.h"
#include "usbconfig/usb_tab_setting.h"
#include "usbconfig/usb_tab_viewer.h"

namespace usbconfig {
namespace {

constexpr int kWidth = 427;
constexpr int kHeight = 424;
constexpr int kOffsetX = 324;
constexpr int kOffsetY = 263;
// Pages inside the tab control's client area.
constexpr int kPageX = 5;
constexpr int kPageY = 25;
constexpr int kPageWidthLess = 10;
constexpr int kPageHeightLess = 30;

constexpr std::array<const char*, UsbToolPopup::kPageCount> kTabCaptions{
    "Recorder", "RecSet", "Viewer", "Display", "Setting", "Etc"};

} // namespace

UsbToolPopup::UsbToolPopup(QWidget* parent, platform::RegistryStore& registry, std::string usbLibrary)
    : platform::Dialog(resources::Dialog(kDialogId), parent), registry_(registry),
      transport_(std::move(usbLibrary)) {
    setSwallowedKeys(platform::kSwallowPopupKeys);
    Create();
}

int UsbToolPopup::OnCreate() {
    surface_ = QImage(kWidth, kHeight, QImage::Format_RGB32);
    surface_.fill(Qt::black);
    DeviceConfigStore(registry_).Load(record_);
    return 0;
}

bool UsbToolPopup::OnInitDialog() {
    platform::TabControl* tabControl = tabs();
    for (int tab = 0; tab < kPageCount; ++tab) tabControl->InsertItem(tab, kTabCaptions[static_cast<std::size_t>(tab)]);
    tabControl->SetCurSel(0);
    pages_ = {new UsbTabRecorder(record_, tabControl), new UsbTabRecSet(record_, tabControl),
              new UsbTabViewer(record_, tabControl),   new UsbTabDisplay(record_, tabControl),
              new UsbTabSetting(record_, tabControl),  new UsbTabEtc(record_, tabControl)};
    const QRect area(kPageX, kPageY, tabControl->width() - kPageWidthLess, tabControl->height() - kPageHeightLess);
    for (UsbTabPage* page : pages_) page->setGeometry(area);
    ShowTab(0);
    SwallowKeysInControls();
    return true;
}

void UsbToolPopup::Place(int ownerX, int ownerY) { MoveWindow(ownerX + kOffsetX, ownerY + kOffsetY, kWidth, kHeight); }

void UsbToolPopup::ShowWindow() {
    if (!isVisible()) show();
}

void UsbToolPopup::OnOK() {
    transport_.Exchange(record_, this);
    // Stored whatever the exchange gave; the pages keep showing what they showed.
    DeviceConfigStore(registry_).Store(record_);
}

void UsbToolPopup::OnCancel() { hide(); }

bool UsbToolPopup::OnCommand(int id, platform::UINT code) {
    if (id == kExitId && code == platform::BN_CLICKED)
        hide();
    else if (id == kTabsId && code == platform::TCN_SELCHANGE)
        ShowTab(tabs()->GetCurSel());
    else
        return false;
    return true;
}

void UsbToolPopup::ShowTab(int tab) {
    if (tab < 0 || tab >= kPageCount) return;
    Page(currentTab_).hide();
    Page(tab).show();
    currentTab_ = tab;
}

platform::LRESULT UsbToolPopup::WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) {
    // The pointer on the screen: the client point moves with the window while it is dragged.
    const auto pointer = [this, lParam] {
        return mapToGlobal(QPoint(platform::GET_X_LPARAM(lParam), platform::GET_Y_LPARAM(lParam)));
    };
    switch (msg) {
    case platform::WM_LBUTTONDOWN:
        dragging_ = true;
        dragStartPointer_ = pointer();
        dragStartWindow_ = pos();
        SetCapture();
        return 0;
    case platform::WM_MOUSEMOVE:
        if (dragging_) move(dragStartWindow_ + (pointer() - dragStartPointer_));
        return 0;
    case platform::WM_LBUTTONUP:
        if (!dragging_) return 0;
        dragging_ = false;
        ReleaseCapture();
        return 0;
    default:
        return platform::Dialog::WindowProc(msg, wParam, lParam);
    }
}

void UsbToolPopup::OnEraseBackground(QPainter& painter) { painter.drawImage(0, 0, surface_); }

platform::TabControl* UsbToolPopup::tabs() const { return item<platform::TabControl>(kTabsId); }

} // namespace usbconfig
