#pragma once
// The registry stand-in: one text file per hive in the standard ".reg" format under a
// configuration folder ($XDG_CONFIG_HOME/tripdesk/ for the program). REG_SZ and REG_BINARY values
// keep their bytes exactly. Every change rewrites the hive file atomically (write a temporary
// file, flush it, rename it over the old one), so an interrupted write leaves the old file whole.
// Thread-safe.

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class Hive { LocalMachine, CurrentUser };

enum class RegType : std::uint8_t { String, Binary };

struct RegValue {
    RegType type = RegType::String;
    std::string bytes;  // REG_SZ text without terminator, or the REG_BINARY bytes
    bool operator==(const RegValue&) const = default;
};

// What a hive file holds: the values, and the lines this store does not understand, kept as
// they were written so that rewriting the file gives them back.
struct HiveContents {
    // key (case-insensitive as on Windows, stored as first written) -> name -> value
    std::map<std::string, std::map<std::string, RegValue>> values;
    // Lines inside a key that are not values this store keeps, by key, in file order.
    std::map<std::string, std::vector<std::string>> keptLines;
    // Lines outside every key this store reads (before the first key, sections of other roots,
    // deletions), in file order.
    std::vector<std::string> keptOutside;
};

class RegistryStore {
public:
    // A store over the hive files in dir (created on the first write).
    explicit RegistryStore(std::filesystem::path dir);

    // The program's store in $XDG_CONFIG_HOME/tripdesk (or ~/.config/tripdesk).
    static RegistryStore& Default();

    std::optional<std::string> QueryString(Hive hive, std::string_view key, std::string_view name);
    std::optional<std::vector<std::uint8_t>> QueryBinary(Hive hive, std::string_view key,
                                                         std::string_view name);
    std::optional<RegValue> Query(Hive hive, std::string_view key, std::string_view name);

    // Creates the key when missing. False when the hive file could not be written (the store
    // then keeps the old contents). A hive file that exists but could not be read is never
    // written over: changes to it are kept in memory for the run and this returns false.
    bool SetString(Hive hive, std::string_view key, std::string_view name, std::string_view text);
    bool SetBinary(Hive hive, std::string_view key, std::string_view name,
                   const std::vector<std::uint8_t>& bytes);
    bool DeleteValue(Hive hive, std::string_view key, std::string_view name);

    // Forgets what was read so that the next access reads the files again.
    void Reload();

    std::filesystem::path HiveFile(Hive hive) const;
    const std::filesystem::path& directory() const { return dir_; }

    // Test seam: the next hive write stops after this many bytes of the temporary file and fails,
    // as a crash in the middle of writing would.
    void FailNextWriteAfter(std::size_t bytes) { failAfter_ = bytes; }

private:
    struct LoadedHive {
        HiveContents contents;
        bool unreadable = false;   // the file exists but could not be read: never written
    };

    LoadedHive& hiveData(Hive hive);
    // Writes changed (unless the file could not be read) and keeps it.
    bool commit(Hive hive, HiveContents changed);
    bool set(Hive hive, std::string_view key, std::string_view name, RegValue value);
    bool writeHive(Hive hive, const HiveContents& data);

    std::filesystem::path dir_;
    std::mutex mutex_;
    std::map<Hive, LoadedHive> loaded_;
    std::optional<std::size_t> failAfter_;
};

// The ".reg" text of a hive and its parse; exposed for tests.
std::string FormatRegFile(Hive hive, const HiveContents& data);
HiveContents ParseRegFile(std::string_view text);

} // namespace platform
