#include "platform/profile.h"

#include <QCoreApplication>
#include <list>
#include <mutex>

#include "platform/registry.h"

namespace platform {

AppProfile::AppProfile(RegistryStore& store, std::string registryKey, std::string profileName)
    : store_(store), registryKey_(std::move(registryKey)), profileName_(std::move(profileName)) {}

std::string AppProfile::sectionKey(const std::string& section) const {
    return "Software\\" + registryKey_ + "\\" + profileName_ + "\\" + section;
}

std::string AppProfile::GetProfileString(const std::string& section, const std::string& entry,
                                         const std::string& defaultValue) const {
    return store_.QueryString(Hive::CurrentUser, sectionKey(section), entry).value_or(defaultValue);
}

bool AppProfile::WriteProfileString(const std::string& section, const std::string& entry,
                                    const std::string& value) {
    return store_.SetString(Hive::CurrentUser, sectionKey(section), entry, value);
}

namespace {

struct Profiles {
    std::mutex mutex;
    // Earlier profiles stay alive: callers may still hold references to them.
    std::list<AppProfile> all;
};

Profiles& TheProfiles() {
    static Profiles profiles;
    return profiles;
}

// Before SetAppProfile the application's organisation and name stand in, as QSettings does it.
std::string FallbackName(const QString& name) {
    return name.isEmpty() ? std::string("TripDesk") : name.toStdString();
}

} // namespace

void SetAppProfile(const std::string& registryKey, const std::string& profileName) {
    Profiles& profiles = TheProfiles();
    std::lock_guard lock(profiles.mutex);
    profiles.all.emplace_back(RegistryStore::Default(), registryKey, profileName);
}

AppProfile& AppProfileInstance() {
    Profiles& profiles = TheProfiles();
    std::lock_guard lock(profiles.mutex);
    if (profiles.all.empty())
        profiles.all.emplace_back(RegistryStore::Default(),
                                  FallbackName(QCoreApplication::organizationName()),
                                  FallbackName(QCoreApplication::applicationName()));
    return profiles.all.back();
}

} // namespace platform
