#include "platform/registry.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <utility>

#include "platform/paths.h"
#include "platform/read_only_file.h"
#include "platform/trace.h"
#include "platform/whole_file.h"
#include "registry_names.h"

namespace platform {

namespace {

// The file's bytes; empty when there is no file; nothing (with the reason) when a file is there
// but could not be read. Never blocks: a FIFO in the file's place is refused.
std::optional<std::string> ReadHiveFile(const std::filesystem::path& path, std::string& reason) {
    const ReadOnlyFile file(path.string());
    switch (file.status()) {
    case ReadOnlyFile::Status::Open: break;
    case ReadOnlyFile::Status::Missing: return std::string();
    case ReadOnlyFile::Status::NotARegularFile: reason = "not a regular file"; return std::nullopt;
    case ReadOnlyFile::Status::CannotOpen:
    case ReadOnlyFile::Status::NoSize: reason = std::strerror(file.error()); return std::nullopt;
    }
    std::string text;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(file.fd(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            reason = std::strerror(errno);
            return std::nullopt;
        }
        if (got == 0) return text;
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

} // namespace

RegistryStore::RegistryStore(std::filesystem::path dir) : dir_(std::move(dir)) {}

RegistryStore& RegistryStore::Default() {
    static RegistryStore store(ConfigDir());
    return store;
}

std::filesystem::path RegistryStore::HiveFile(Hive hive) const {
    return dir_ / (hive == Hive::LocalMachine ? "HKEY_LOCAL_MACHINE.reg" : "HKEY_CURRENT_USER.reg");
}

RegistryStore::LoadedHive& RegistryStore::hiveData(Hive hive) {
    auto it = loaded_.find(hive);
    if (it != loaded_.end()) return it->second;
    const std::filesystem::path file = HiveFile(hive);
    std::string reason;
    LoadedHive loaded;
    if (const std::optional<std::string> text = ReadHiveFile(file, reason)) {
        loaded.contents = ParseRegFile(*text);
    } else {
        loaded.unreadable = true;
        Trace("registry: %s cannot be read (%s); it is kept as it is, changes stay in memory\n",
              file.c_str(), reason.c_str());
    }
    return loaded_.emplace(hive, std::move(loaded)).first->second;
}

bool RegistryStore::commit(Hive hive, HiveContents changed) {
    LoadedHive& loaded = hiveData(hive);
    if (loaded.unreadable) {
        loaded.contents = std::move(changed);
        return false;
    }
    if (!writeHive(hive, changed)) return false;
    loaded.contents = std::move(changed);
    return true;
}

std::optional<RegValue> RegistryStore::Query(Hive hive, std::string_view key, std::string_view name) {
    std::lock_guard lock(mutex_);
    auto* values = detail::FindNoCase(hiveData(hive).contents.values, key);
    if (!values) return std::nullopt;
    const RegValue* value = detail::FindNoCase(*values, name);
    if (!value) return std::nullopt;
    return *value;
}

std::optional<std::string> RegistryStore::QueryString(Hive hive, std::string_view key,
                                                      std::string_view name) {
    auto value = Query(hive, key, name);
    if (!value || value->type != RegType::String) return std::nullopt;
    return std::move(value->bytes);
}

std::optional<std::vector<std::uint8_t>> RegistryStore::QueryBinary(Hive hive, std::string_view key,
                                                                    std::string_view name) {
    auto value = Query(hive, key, name);
    if (!value || value->type != RegType::Binary) return std::nullopt;
    return std::vector<std::uint8_t>(value->bytes.begin(), value->bytes.end());
}

bool RegistryStore::SetString(Hive hive, std::string_view key, std::string_view name,
                              std::string_view text) {
    return set(hive, key, name, RegValue{RegType::String, std::string(text)});
}

bool RegistryStore::SetBinary(Hive hive, std::string_view key, std::string_view name,
                              const std::vector<std::uint8_t>& bytes) {
    return set(hive, key, name, RegValue{RegType::Binary, std::string(bytes.begin(), bytes.end())});
}

bool RegistryStore::set(Hive hive, std::string_view key, std::string_view name, RegValue value) {
    // Keys and names must fit on a line of the file; values may hold any bytes.
    if (!detail::IsValidKeyName(key) || !detail::IsValidValueName(name)) return false;
    std::lock_guard lock(mutex_);
    HiveContents changed = hiveData(hive).contents;
    detail::FindOrAddNoCase(detail::FindOrAddNoCase(changed.values, key), name) = std::move(value);
    return commit(hive, std::move(changed));
}

bool RegistryStore::DeleteValue(Hive hive, std::string_view key, std::string_view name) {
    std::lock_guard lock(mutex_);
    HiveContents changed = hiveData(hive).contents;
    auto* values = detail::FindNoCase(changed.values, key);
    if (!values) return false;
    const auto it = std::find_if(values->begin(), values->end(),
                                 [&](const auto& entry) { return detail::EqualNoCase(entry.first, name); });
    if (it == values->end()) return false;
    values->erase(it);
    return commit(hive, std::move(changed));
}

void RegistryStore::Reload() {
    std::lock_guard lock(mutex_);
    loaded_.clear();
}

bool RegistryStore::writeHive(Hive hive, const HiveContents& data) {
    std::error_code error;
    std::filesystem::create_directories(dir_, error);
    if (error) return false;
    // The hives hold the user's settings: readable by the user alone.
    const WholeFileOptions options{0600, std::exchange(failAfter_, std::nullopt)};
    return !WriteWholeFile(HiveFile(hive), FormatRegFile(hive, data), options);
}

} // namespace platform
