// The ".reg" text of a hive. Values are written the way regedit writes them:
//   "name"="text"          REG_SZ, with \ and " escaped
//   "name"=hex:00,ff,...   REG_BINARY, long lines continued with a backslash
//   "name"=hex(1):..       REG_SZ whose bytes are not plain printable UTF-8 (control characters,
//                          invalid sequences); the bytes are the value's own, so every byte
//                          comes back exactly
// Reading keeps whatever it does not understand, line by line as written, in the key it stood
// in (after the key's values when the file is written again) or outside every key.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry.h"
#include "registry_names.h"

namespace platform {

namespace {


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
    struct Line {
        std::string text;        // joined, without the backslashes and the indents
        std::string_view raw;    // the physical lines as written, without the last line end
    };

    explicit LogicalLines(std::string_view text) : text_(text) {}

    std::optional<Line> next() {
        const char* start = text_.data();
        auto first = physical();
        if (!first) return std::nullopt;
        Line line{std::string(TrimRight(*first)), *first};
        while (!line.text.empty() && line.text.back() == '\\' && !text_.empty() &&
               (text_.front() == ' ' || text_.front() == '\t')) {
            line.text.pop_back();
            const std::string_view more = *physical();
            line.text += TrimRight(TrimLeft(more));
            line.raw = std::string_view(start, static_cast<std::size_t>(more.data() + more.size() - start));
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

// A value line "name"=value or @=value of a key; nothing when it is not one this store keeps.
std::optional<std::pair<std::string, RegValue>> ParseValueLine(std::string_view s) {
    std::optional<std::string> name;
    if (s.front() == '@') {
        name = std::string();
        s.remove_prefix(1);
    } else {
        name = TakeQuoted(s);
    }
    if (!name || !detail::IsValidValueName(*name)) return std::nullopt;
    s = TrimLeft(s);
    if (s.empty() || s.front() != '=') return std::nullopt;
    auto value = ParseValue(s.substr(1));
    if (!value) return std::nullopt;
    return std::pair{std::move(*name), std::move(*value)};
}

} // namespace

std::string FormatRegFile(Hive hive, const HiveContents& data) {
    std::string out(kHeader);
    out += "\n\n";
    for (const std::string& line : data.keptOutside) {
        out += line;
        out += '\n';
    }
    if (!data.keptOutside.empty()) out += '\n';
    for (const auto& [key, values] : data.values) {
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
        if (const auto kept = data.keptLines.find(key); kept != data.keptLines.end()) {
            for (const std::string& line : kept->second) {
                out += line;
                out += '\n';
            }
        }
        out += '\n';
    }
    return out;
}

HiveContents ParseRegFile(std::string_view text) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());

    HiveContents data;
    std::map<std::string, RegValue>* section = nullptr;
    std::vector<std::string>* kept = &data.keptOutside;
    bool first = true;
    LogicalLines lines(text);
    while (auto line = lines.next()) {
        std::string_view s = TrimLeft(line->text);
        if (s.empty()) continue;
        const bool header = std::exchange(first, false) && s == kHeader;
        if (header) continue;
        if (s.front() == '[') {
            section = nullptr;
            kept = &data.keptOutside;
            if (auto key = ParseSection(s)) {
                section = &detail::FindOrAddNoCase(data.values, *key);
                for (auto& [name, values] : data.values)
                    if (&values == section) kept = &data.keptLines[name];
                continue;
            }
        } else if (section && s.front() != ';') {
            if (auto value = ParseValueLine(s)) {
                detail::FindOrAddNoCase(*section, value->first) = std::move(value->second);
                continue;
            }
        }
        kept->emplace_back(line->raw);
    }
    return data;
}

} // namespace platform
