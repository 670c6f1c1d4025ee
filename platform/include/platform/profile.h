#pragma once
// The application profile: string values under
// HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section>, as an application that set
// its registry key keeps them.

#include <string>

namespace platform {

class RegistryStore;

class AppProfile {
public:
    AppProfile(RegistryStore& store, std::string registryKey, std::string profileName);

    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& defaultValue = {}) const;
    bool WriteProfileString(const std::string& section, const std::string& entry,
                            const std::string& value);

    std::string sectionKey(const std::string& section) const;

private:
    RegistryStore& store_;
    std::string registryKey_;
    std::string profileName_;
};

// The program's profile, set once at start-up (SetRegistryKey of the application object).
void SetAppProfile(const std::string& registryKey, const std::string& profileName);
AppProfile& AppProfileInstance();

} // namespace platform
