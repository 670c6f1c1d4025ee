#pragma once
// The libusb 0.1 functions the exchange uses, looked up by name in a library loaded at run
// time (never linked, never unloaded). A function the library lacks behaves as if nothing were
// attached: those giving a pointer give none, those giving a status give -2.

#include <string>

#include <usb.h>

namespace usbconfig {

class UsbLibrary {
public:
    // Loads the library through the platform loader and looks the functions up.
    explicit UsbLibrary(const std::string& libraryName);

    void init() const;
    int findBusses() const;
    int findDevices() const;
    usb_bus* getBusses() const;
    usb_dev_handle* open(struct usb_device* device) const;
    int setConfiguration(usb_dev_handle* handle, int configuration) const;
    int claimInterface(usb_dev_handle* handle, int interface) const;
    int bulkWrite(usb_dev_handle* handle, int endpoint, const char* bytes, int size, int timeoutMs) const;
    int bulkRead(usb_dev_handle* handle, int endpoint, char* bytes, int size, int timeoutMs) const;
    int releaseInterface(usb_dev_handle* handle, int interface) const;
    int close(usb_dev_handle* handle) const;

private:
    static constexpr int kMissing = -2;

    decltype(&::usb_init) init_ = nullptr;
    decltype(&::usb_find_busses) findBusses_ = nullptr;
    decltype(&::usb_find_devices) findDevices_ = nullptr;
    decltype(&::usb_get_busses) getBusses_ = nullptr;
    decltype(&::usb_open) open_ = nullptr;
    decltype(&::usb_set_configuration) setConfiguration_ = nullptr;
    decltype(&::usb_claim_interface) claimInterface_ = nullptr;
    decltype(&::usb_bulk_write) bulkWrite_ = nullptr;
    decltype(&::usb_bulk_read) bulkRead_ = nullptr;
    decltype(&::usb_release_interface) releaseInterface_ = nullptr;
    decltype(&::usb_close) close_ = nullptr;
};

} // namespace usbconfig
