#pragma once
// One exchange with the recorder over USB: the whole record is written to it and its whole
// answer replaces the record. Runs on the user-interface thread and blocks it for up to
// 5 seconds per transfer. The library is bound again at every exchange.

#include <string>

#include "usbconfig/device_config.h"

class QWidget;

namespace usbconfig {

// How an exchange ended. Only DeviceNotFound is shown to the user; the others are traced.
enum class ExchangeEnd {
    DeviceNotFound,       // also a missing library
    ConfigurationFailed,
    ClaimFailed,
    Transferred,          // both transfers ran; see the flags for their results
};

struct ExchangeResult {
    ExchangeEnd end = ExchangeEnd::DeviceNotFound;
    bool wholeWrite = false;
    bool wholeRead = false;   // the answer replaced the record
    bool operator==(const ExchangeResult&) const = default;
};

class UsbTransport {
public:
    static constexpr const char* kDefaultLibrary = "libusb-0.1.so.4";
    static constexpr int kVendorId = 0x09FA;
    static constexpr int kProductId = 0x6711;
    static constexpr int kConfiguration = 1;
    static constexpr int kInterface = 0;
    static constexpr int kOutEndpoint = 0x03;
    static constexpr int kInEndpoint = 0x82;
    static constexpr int kTimeoutMs = 5000;

    explicit UsbTransport(std::string libraryName = kDefaultLibrary)
        : libraryName_(std::move(libraryName)) {}

    // The answer replaces the record only when all 336 bytes arrived, so a short or failed read
    // never leaves a mix of sent and received words. The "Device not found." box is shown over
    // boxOwner (none: a box of its own).
    ExchangeResult Exchange(DeviceConfig& record, QWidget* boxOwner = nullptr) const;

private:
    std::string libraryName_;
};

} // namespace usbconfig
