#include "platform/registry.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#include "platform/paths.h"
#include "registry_names.h"

namespace platform {

namespace {

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

void SyncDirectory(const std::filesystem::path& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
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

RegistryStore::HiveData& RegistryStore::hiveData(Hive hive) {
    auto it = loaded_.find(hive);
    if (it == loaded_.end()) it = loaded_.emplace(hive, ParseRegFile(ReadWholeFile(HiveFile(hive)))).first;
    return it->second;
}

std::optional<RegValue> RegistryStore::Query(Hive hive, std::string_view key, std::string_view name) {
    std::lock_guard lock(mutex_);
    auto* values = detail::FindNoCase(hiveData(hive), key);
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
    HiveData changed = hiveData(hive);
    detail::FindOrAddNoCase(detail::FindOrAddNoCase(changed, key), name) = std::move(value);
    if (!writeHive(hive, changed)) return false;
    loaded_[hive] = std::move(changed);
    return true;
}

bool RegistryStore::DeleteValue(Hive hive, std::string_view key, std::string_view name) {
    std::lock_guard lock(mutex_);
    HiveData changed = hiveData(hive);
    auto* values = detail::FindNoCase(changed, key);
    if (!values) return false;
    const auto it = std::find_if(values->begin(), values->end(),
                                 [&](const auto& entry) { return detail::EqualNoCase(entry.first, name); });
    if (it == values->end()) return false;
    values->erase(it);
    if (!writeHive(hive, changed)) return false;
    loaded_[hive] = std::move(changed);
    return true;
}

void RegistryStore::Reload() {
    std::lock_guard lock(mutex_);
    loaded_.clear();
}

bool RegistryStore::writeHive(Hive hive, const HiveData& data) {
    std::error_code error;
    std::filesystem::create_directories(dir_, error);
    if (error) return false;

    const std::string text = FormatRegFile(hive, data);
    const std::filesystem::path target = HiveFile(hive);
    std::string temp = target.string() + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;

    std::size_t length = text.size();
    const std::optional<std::size_t> failAfter = std::exchange(failAfter_, std::nullopt);
    if (failAfter) length = std::min(length, *failAfter);
    bool ok = WriteAll(fd, text.data(), length) && !failAfter && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncDirectory(dir_);
    return true;
}

} // namespace platform
