// usbprobe [--library NAME] [--window]
//   Loads the record stored as "stConfig", exchanges it with the recorder over the libusb 0.1
//   library NAME (default libusb-0.1.so.4) as "Data Transmission" does, stores it, and prints the
//   336 bytes in hex before and after; each message box is printed as "message: TEXT".
//   --window shows the USB tool window alone until it is hidden (Cancle or Exit).

#include <QApplication>
#include <QEvent>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/dialogs.h"
#include "platform/registry.h"
#include "platform/skin_look.h"
#include "usbconfig/device_config_store.h"
#include "usbconfig/usb_tool_popup.h"
#include "usbconfig/usb_transport.h"

namespace {

struct Options {
    std::string library = usbconfig::UsbTransport::kDefaultLibrary;
    bool window = false;
};

bool Parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--window") == 0)
            options.window = true;
        else if (std::strcmp(argv[i], "--library") == 0 && i + 1 < argc)
            options.library = argv[++i];
        else
            return false;
    }
    return true;
}

void PrintRecord(const char* label, const usbconfig::DeviceConfig& record) {
    std::printf("%s ", label);
    for (std::uint8_t byte : record.toBytes()) std::printf("%02x", byte);
    std::printf("\n");
}

int Exchange(const Options& options) {
    platform::SetMessageBoxHook([](const platform::MessageBoxRequest& request) {
        std::printf("message: %s%s", request.text.c_str(),
                    !request.text.empty() && request.text.back() == '\n' ? "" : "\n");
        return platform::IDOK;
    });
    usbconfig::DeviceConfigStore store(platform::RegistryStore::Default());
    usbconfig::DeviceConfig record;
    store.Load(record);
    PrintRecord("before", record);
    std::fflush(stdout);
    usbconfig::UsbTransport(options.library).Exchange(record);
    store.Store(record);
    PrintRecord("after", record);
    std::fflush(stdout);
    return 0;
}

// Ends the event loop when the window it watches is hidden.
class QuitWhenHidden : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) QApplication::quit();
        return QObject::eventFilter(watched, event);
    }
};

int ShowWindow(int argc, char** argv, const Options& options) {
    QApplication app(argc, argv);
    platform::ApplySkinLook(app);
    usbconfig::UsbToolPopup popup(nullptr, platform::RegistryStore::Default(), options.library);
    popup.ShowWindow();
    QuitWhenHidden watcher;
    popup.installEventFilter(&watcher);
    return app.exec();
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::fputs("usage: usbprobe [--library NAME] [--window]\n", stderr);
        return 2;
    }
    return options.window ? ShowWindow(argc, argv, options) : Exchange(options);
}
