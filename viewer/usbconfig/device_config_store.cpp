#include "usbconfig/device_config_store.h"

#include <algorithm>
#include <vector>

namespace usbconfig {

void DeviceConfigStore::Load(DeviceConfig& record) {
    const auto value = registry_.Query(platform::Hive::LocalMachine, kKey, kValueName);
    if (!value || value->type != platform::RegType::Binary || value->bytes.size() > DeviceConfig::kSize)
        return;
    DeviceConfig::Bytes bytes = record.toBytes();
    std::transform(value->bytes.begin(), value->bytes.end(), bytes.begin(),
                   [](char c) { return static_cast<std::uint8_t>(c); });
    record = DeviceConfig::fromBytes(bytes);
}

bool DeviceConfigStore::Store(const DeviceConfig& record) {
    const DeviceConfig::Bytes bytes = record.toBytes();
    return registry_.SetBinary(platform::Hive::LocalMachine, kKey, kValueName,
                               std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

} // namespace usbconfig
