#include "usbconfig/usb_library.h"

#include "platform/library.h"

namespace usbconfig {
namespace {

template <typename Function>
void Bind(platform::HMODULE module, const char* name, Function& function) {
    function = module ? reinterpret_cast<Function>(platform::GetProcAddress(module, name)) : nullptr;
}

} // namespace

UsbLibrary::UsbLibrary(const std::string& libraryName) {
    // Kept loaded for the rest of the run: what it allocated stays reachable.
    const platform::HMODULE module = platform::LoadLibraryA(libraryName.c_str());
    Bind(module, "usb_init", init_);
    Bind(module, "usb_find_busses", findBusses_);
    Bind(module, "usb_find_devices", findDevices_);
    Bind(module, "usb_get_busses", getBusses_);
    Bind(module, "usb_open", open_);
    Bind(module, "usb_set_configuration", setConfiguration_);
    Bind(module, "usb_claim_interface", claimInterface_);
    Bind(module, "usb_bulk_write", bulkWrite_);
    Bind(module, "usb_bulk_read", bulkRead_);
    Bind(module, "usb_release_interface", releaseInterface_);
    Bind(module, "usb_close", close_);
}

void UsbLibrary::init() const {
    if (init_) init_();
}

int UsbLibrary::findBusses() const { return findBusses_ ? findBusses_() : kMissing; }

int UsbLibrary::findDevices() const { return findDevices_ ? findDevices_() : kMissing; }

usb_bus* UsbLibrary::getBusses() const { return getBusses_ ? getBusses_() : nullptr; }

usb_dev_handle* UsbLibrary::open(struct usb_device* device) const { return open_ ? open_(device) : nullptr; }

int UsbLibrary::setConfiguration(usb_dev_handle* handle, int configuration) const {
    return setConfiguration_ ? setConfiguration_(handle, configuration) : kMissing;
}

int UsbLibrary::claimInterface(usb_dev_handle* handle, int interface) const {
    return claimInterface_ ? claimInterface_(handle, interface) : kMissing;
}

int UsbLibrary::bulkWrite(usb_dev_handle* handle, int endpoint, const char* bytes, int size,
                          int timeoutMs) const {
    return bulkWrite_ ? bulkWrite_(handle, endpoint, bytes, size, timeoutMs) : kMissing;
}

int UsbLibrary::bulkRead(usb_dev_handle* handle, int endpoint, char* bytes, int size,
                         int timeoutMs) const {
    return bulkRead_ ? bulkRead_(handle, endpoint, bytes, size, timeoutMs) : kMissing;
}

int UsbLibrary::releaseInterface(usb_dev_handle* handle, int interface) const {
    return releaseInterface_ ? releaseInterface_(handle, interface) : kMissing;
}

int UsbLibrary::close(usb_dev_handle* handle) const { return close_ ? close_(handle) : kMissing; }

} // namespace usbconfig
