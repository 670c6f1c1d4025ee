#pragma once
// The USB tool window, "[ USB Management Tool ]": six tab pages that edit the recorder's
// configuration record, and "Data Transmission", which exchanges the record with a recorder on
// USB and then stores it in the registry, whatever the exchange gave. The window owns the one
// record of the run, loaded from the registry once, when the window is made. Modeless, created
// once by its owner and then only shown and hidden ("Cancle" and "Exit" hide it); a press on
// its black client area drags it; Enter, Escape, F4 and Alt+F4 do nothing, also inside a page.
// User-interface thread.

#include <QImage>
#include <array>
#include <string>

#include "platform/dialog.h"
#include "platform/registry.h"
#include "usbconfig/device_config.h"
#include "usbconfig/usb_transport.h"

namespace platform {
class TabControl;
}

namespace usbconfig {

class UsbTabPage;

class UsbToolPopup : public platform::Dialog {
public:
    static constexpr int kDialogId = 285;
    static constexpr int kTabsId = 1097;
    static constexpr int kExitId = 1098;
    static constexpr int kPageCount = 6;

    // Built at once and hidden. usbLibrary: the libusb 0.1 library bound at each exchange.
    explicit UsbToolPopup(QWidget* parent = nullptr,
                          platform::RegistryStore& registry = platform::RegistryStore::Default(),
                          std::string usbLibrary = UsbTransport::kDefaultLibrary);

    // Places the window at the owner's position plus (324, 263), 427 x 424.
    void Place(int ownerX, int ownerY);
    // Shows the window when hidden.
    void ShowWindow();

    const DeviceConfig& record() const { return record_; }
    UsbTabPage& Page(int tab) const { return *pages_.at(static_cast<std::size_t>(tab)); }
    int CurrentTab() const { return currentTab_; }
    bool Dragging() const { return dragging_; }
    // The background picture painting copies to the screen.
    const QImage& surface() const { return surface_; }

protected:
    int OnCreate() override;
    bool OnInitDialog() override;
    void OnOK() override;       // "Data Transmission"
    void OnCancel() override;   // "Cancle"
    bool OnCommand(int id, platform::UINT code) override;
    platform::LRESULT WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) override;
    void OnEraseBackground(QPainter& painter) override;

private:
    void ShowTab(int tab);
    platform::TabControl* tabs() const;

    platform::RegistryStore& registry_;
    const UsbTransport transport_;
    DeviceConfig record_{};
    std::array<UsbTabPage*, kPageCount> pages_{};
    int currentTab_ = 0;
    QImage surface_;
    bool dragging_ = false;
    QPoint dragStartPointer_;   // screen position where dragging began
    QPoint dragStartWindow_;    // the window's position then
};

} // namespace usbconfig
