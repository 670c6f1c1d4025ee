#pragma once
// Where the viewer's settings live between runs: the REG_SZ value "config" under
// HKEY_LOCAL_MACHINE\SOFTWARE\Corvane\Vistrel\00.00.01. The main window loads it while it is
// created and saves it while it is destroyed; user-interface thread.

#include <string_view>

#include "platform/registry.h"
#include "settings/config_value.h"

namespace settings {

class ConfigStore {
public:
    static constexpr std::string_view kKey = "SOFTWARE\\Corvane\\Vistrel\\00.00.01";
    static constexpr std::string_view kValueName = "config";

    explicit ConfigStore(platform::RegistryStore& registry) : registry_(registry) {}

    // The stored settings; all zero (volume 0, bar 0) when nothing usable is stored.
    ParsedConfig Load();

    // Writes the value, creating the key when missing. False when it could not be written.
    bool Save(const ViewerConfig& config, int volumePercent, int volumeBarPosition,
              const ConfigTail& tail);

private:
    platform::RegistryStore& registry_;
};

} // namespace settings
