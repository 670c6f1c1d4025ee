// The ".reg" text of a hive. Values are written the way regedit writes them:
//   "name"="text"          REG_SZ, with \ and " escaped
//   "name"=hex:00,ff,...   REG_BINARY, long lines continued with a backslash
//   "name"=hex(1):..       REG_SZ whose bytes are not plain printable UTF-8 (control characters,
//                          invalid sequences); the bytes are the value's own, so every byte
//                          comes back exactly
// Reading skips whatever it does not understand, line by line.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"
#include "registry_names.h"

namespace platform {

namespace {

using HiveData = std::map<std::string, std::map<std::string, RegValue>>;

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kBinaryPrefix = "hex:";
constexpr std::string_view kRawStringPrefix = "hex(1):";
constexpr std::size_t kBytesPerLine = 24;

struct HiveRoot {
    Hive hive;
    std::string_view name;
};
constexpr std::array<HiveRoot, 2> kRoots{{
    {Hive::LocalMachine, "HKEY_LOCAL_MACHINE"},
    {Hive::CurrentUser, "HKEY_CURRENT_USER"},
}};

std::string_view RootName(Hive hive) {
    for (const HiveRoot& root : kRoots)
        if (root.hive == hive) return root.name;
    return kRoots.front().name;
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

std::string HexBytes(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += kDigits[b >> 4];
        out += kDigits[b & 0xF];
        if (i + 1 < bytes.size()) {
            out += ',';
            if ((i + 1) % kBytesPerLine == 0) out += "\\\n  ";
        }
    }
    return out;
}

std::string FormatValue(const RegValue& value) {
    if (value.type == RegType::Binary) return std::string(kBinaryPrefix) + HexBytes(value.bytes);
    if (detail::IsPlainText(value.bytes)) return Quoted(value.bytes);
    return std::string(kRawStringPrefix) + HexBytes(value.bytes);
}

// --- reading ------------------------------------------------------------------------------------

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && detail::EqualNoCase(s.substr(0, prefix.size()), prefix);
}

// Reads a quoted text at the start of s; s is left after the closing quote.
std::optional<std::string> TakeQuoted(std::string_view& s) {
    if (s.empty() || s.front() != '"') return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            s.remove_prefix(i + 1);
            return out;
        }
        if (c == '\\' && i + 1 < s.size())
            out += s[++i];
        else
            out += c;
    }
    return std::nullopt;  // no closing quote
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::string> ParseHexBytes(std::string_view s) {
    std::string out;
    while (true) {
        s = TrimLeft(s);
        if (s.empty()) return out;  // also after a trailing comma
        int value = 0;
        std::size_t digits = 0;
        while (digits < s.size() && HexDigit(s[digits]) >= 0) {
            if (digits == 2) return std::nullopt;
            value = value * 16 + HexDigit(s[digits]);
            ++digits;
        }
        if (digits == 0) return std::nullopt;
        out += static_cast<char>(value);
        s = TrimLeft(s.substr(digits));
        if (s.empty()) return out;
        if (s.front() != ',') return std::nullopt;
        s.remove_prefix(1);
    }
}

std::optional<RegValue> ParseValue(std::string_view s) {
    s = TrimLeft(s);
    if (!s.empty() && s.front() == '"') {
        auto text = TakeQuoted(s);
        if (!text || !TrimLeft(s).empty()) return std::nullopt;
        return RegValue{RegType::String, std::move(*text)};
    }
    if (StartsWithNoCase(s, kBinaryPrefix)) {
        auto bytes = ParseHexBytes(s.substr(kBinaryPrefix.size()));
        if (!bytes) return std::nullopt;
        return RegValue{RegType::Binary, std::move(*bytes)};
    }
    if (StartsWithNoCase(s, kRawStringPrefix)) {
        auto bytes = ParseHexBytes(s.substr(kRawStringPrefix.size()));
        if (!bytes) return std::nullopt;
        return RegValue{RegType::String, std::move(*bytes)};
    }
    return std::nullopt;  // deletions and types this store does not keep
}

// "[HKEY_...\key]" -> key; nullopt for deletions, unknown roots and the roots themselves.
std::optional<std::string> ParseSection(std::string_view line) {
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos || close == 0) return std::nullopt;
    std::string_view path = line.substr(1, close - 1);
    for (const HiveRoot& root : kRoots) {
        if (!StartsWithNoCase(path, root.name)) continue;
        path.remove_prefix(root.name.size());
        if (path.size() < 2 || path.front() != '\\') return std::nullopt;
        path.remove_prefix(1);
        if (!detail::IsValidKeyName(path)) return std::nullopt;
        return std::string(path);
    }
    return std::nullopt;
}

// Splits the text into logical lines: a line ending in a backslash continues on the next line
// when that one is indented, as regedit wraps long binary values.
class LogicalLines {
public:
    explicit LogicalLines(std::string_view text) : text_(text) {}

    std::optional<std::string> next() {
        auto first = physical();
        if (!first) return std::nullopt;
        std::string line(TrimRight(*first));
        while (!line.empty() && line.back() == '\\' && !text_.empty() &&
               (text_.front() == ' ' || text_.front() == '\t')) {
            line.pop_back();
            line += TrimRight(TrimLeft(*physical()));
        }
        return line;
    }

private:
    std::optional<std::string_view> physical() {
        if (text_.empty()) return std::nullopt;
        const std::size_t end = text_.find('\n');
        const std::string_view line = text_.substr(0, end);
        text_.remove_prefix(end == std::string_view::npos ? text_.size() : end + 1);
        return line;
    }

    std::string_view text_;
};

} // namespace

std::string FormatRegFile(Hive hive, const HiveData& data) {
    std::string out(kHeader);
    out += "\n\n";
    for (const auto& [key, values] : data) {
        out += '[';
        out += RootName(hive);
        out += '\\';
        out += key;
        out += "]\n";
        for (const auto& [name, value] : values) {
            out += name.empty() ? std::string("@") : Quoted(name);
            out += '=';
            out += FormatValue(value);
            out += '\n';
        }
        out += '\n';
    }
    return out;
}

HiveData ParseRegFile(std::string_view text) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());

    HiveData data;
    std::map<std::string, RegValue>* section = nullptr;
    LogicalLines lines(text);
    while (auto line = lines.next()) {
        std::string_view s = TrimLeft(*line);
        if (s.empty() || s.front() == ';') continue;
        if (s.front() == '[') {
            section = nullptr;
            if (auto key = ParseSection(s)) section = &detail::FindOrAddNoCase(data, *key);
            continue;
        }
        if (!section) continue;
        std::optional<std::string> name;
        if (s.front() == '@') {
            name = std::string();
            s.remove_prefix(1);
        } else {
            name = TakeQuoted(s);
        }
        if (!name || !detail::IsValidValueName(*name)) continue;
        s = TrimLeft(s);
        if (s.empty() || s.front() != '=') continue;
        if (auto value = ParseValue(s.substr(1))) detail::FindOrAddNoCase(*section, *name) = std::move(*value);
    }
    return data;
}

} // namespace platform
