#include "usbconfig/usb_transport.h"

#include "platform/dialogs.h"
#include "platform/trace.h"
#include "resources/resources.h"
#include "usbconfig/usb_library.h"

namespace usbconfig {
namespace {

constexpr int kLength = static_cast<int>(DeviceConfig::kSize);

// The first recorder in bus order, then device order, opened; none when nothing matches or the
// first match cannot be opened.
usb_dev_handle* OpenFirstRecorder(const UsbLibrary& usb) {
    for (usb_bus* bus = usb.getBusses(); bus; bus = bus->next)
        for (struct usb_device* device = bus->devices; device; device = device->next)
            if (device->descriptor.idVendor == UsbTransport::kVendorId &&
                device->descriptor.idProduct == UsbTransport::kProductId)
                return usb.open(device);
    return nullptr;
}

} // namespace

ExchangeResult UsbTransport::Exchange(DeviceConfig& record, QWidget* boxOwner) const {
    const UsbLibrary usb(libraryName_);
    usb.init();
    usb.findBusses();
    usb.findDevices();

    ExchangeResult result;
    usb_dev_handle* const handle = OpenFirstRecorder(usb);
    if (!handle) {
        platform::Trace("error: device not found!\n");
        platform::MessageBox(boxOwner, "Device not found.\n", resources::String(resources::kAppTitleString),
                             platform::MB_OK);
        return result;
    }
    if (usb.setConfiguration(handle, kConfiguration) < 0) {
        platform::Trace("error: setting config 1 failed\n");
        usb.close(handle);
        result.end = ExchangeEnd::ConfigurationFailed;
        return result;
    }
    if (usb.claimInterface(handle, kInterface) < 0) {
        platform::Trace("error: claiming interface 0 failed\n");
        usb.close(handle);
        result.end = ExchangeEnd::ClaimFailed;
        return result;
    }
    result.end = ExchangeEnd::Transferred;

    const DeviceConfig::Bytes sent = record.toBytes();
    result.wholeWrite = usb.bulkWrite(handle, kOutEndpoint, reinterpret_cast<const char*>(sent.data()),
                                      kLength, kTimeoutMs) == kLength;
    if (!result.wholeWrite) platform::Trace("error: bulk write failed\n");

    DeviceConfig::Bytes answer{};
    result.wholeRead = usb.bulkRead(handle, kInEndpoint, reinterpret_cast<char*>(answer.data()),
                                    kLength, kTimeoutMs) == kLength;
    if (result.wholeRead)
        record = DeviceConfig::fromBytes(answer);
    else
        platform::Trace("error: bulk read failed\n");

    usb.releaseInterface(handle, kInterface);
    usb.close(handle);
    return result;
}

} // namespace usbconfig
