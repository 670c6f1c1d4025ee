#include "settings/config_store.h"

namespace settings {

ParsedConfig ConfigStore::Load() {
    const auto value = registry_.QueryString(platform::Hive::LocalMachine, kKey, kValueName);
    return value ? ParseConfigValue(*value) : ParsedConfig{};
}

bool ConfigStore::Save(const ViewerConfig& config, int volumePercent, int volumeBarPosition,
                       const ConfigTail& tail) {
    return registry_.SetString(platform::Hive::LocalMachine, kKey, kValueName,
                               ComposeConfigValue(config, volumePercent, volumeBarPosition, tail));
}

} // namespace settings
