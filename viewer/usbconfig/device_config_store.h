#pragma once
// The record between runs: the REG_BINARY value "stConfig" beside the viewer's "config" under
// HKEY_LOCAL_MACHINE\SOFTWARE\Corvane\Vistrel\00.00.01. User-interface thread.

#include <string_view>

#include "platform/registry.h"
#include "usbconfig/device_config.h"

namespace usbconfig {

class DeviceConfigStore {
public:
    static constexpr std::string_view kKey = "SOFTWARE\\Corvane\\Vistrel\\00.00.01";
    static constexpr std::string_view kValueName = "stConfig";

    explicit DeviceConfigStore(platform::RegistryStore& registry) : registry_(registry) {}

    // Reads the stored value into record. A missing value, one that is not REG_BINARY or one
    // longer than the record leaves it as it was; a shorter one fills it from the start.
    void Load(DeviceConfig& record);

    // Writes the whole record, creating the key when missing. False when it could not be written.
    bool Store(const DeviceConfig& record);

private:
    platform::RegistryStore& registry_;
};

} // namespace usbconfig
