#include "settings/config_value.h"

#include <cstddef>
#include <limits>

#include "platform/text_rules.h"

namespace settings {
namespace {

constexpr char kSeparator = '?';

// The fields of a stored value, read in order the way the viewer has always read them.
class FieldReader {
public:
    explicit FieldReader(std::string_view text) : text_(text) {}

    std::string_view next() {
        const std::size_t from = first_ ? start_ + 1 : start_;
        first_ = false;
        const std::size_t found = text_.find(kSeparator, from);
        const std::size_t fieldStart = start_;
        if (found == std::string_view::npos) {
            start_ = 0;  // found = -1, so the next search starts again at the first character
            return {};
        }
        start_ = found + 1;
        return text_.substr(fieldStart, found - fieldStart);
    }

    int nextInt() { return platform::ParseLeadingInt(next()); }

    std::string nextText(std::size_t capacity) {
        return std::string(platform::CutUtf8(next(), capacity - 1));
    }

private:
    std::string_view text_;
    std::size_t start_ = 0;
    bool first_ = true;
};

// A text as it can be stored: up to its first separator or NUL, within maxBytes.
std::string_view storable(std::string_view text,
                          std::size_t maxBytes = std::numeric_limits<std::size_t>::max()) {
    text = text.substr(0, text.find_first_of(std::string_view("?\0", 2)));
    return platform::CutUtf8(text, maxBytes);
}

void appendField(std::string& out, std::string_view text) {
    out.append(text);
    out.push_back(kSeparator);
}

void appendField(std::string& out, int number) { appendField(out, platform::IntegerText(number)); }

void appendFlag(std::string& out, bool flag) { appendField(out, flag ? "1" : "0"); }

} // namespace

ParsedConfig ParseConfigValue(std::string_view value) {
    ParsedConfig parsed;
    if (value.size() > kConfigValueMaxLength) return parsed;
    FieldReader reader(value.substr(0, value.find('\0')));
    ViewerConfig& config = parsed.config;
    config.gsensorLevel = reader.nextInt();
    config.spare = reader.nextInt();
    config.speedUnit = reader.nextInt();
    parsed.volumePercent = reader.nextInt();
    config.passwordFlag = reader.nextInt();
    config.passwordDigits = reader.nextText(ViewerConfig::kPasswordDigitsCapacity);
    config.timeTextOnSave = reader.nextText(ViewerConfig::kTimeTextOnSaveCapacity);
    config.timeTextOnClose = reader.nextText(ViewerConfig::kTimeTextOnCloseCapacity);
    parsed.volumeBarPosition = reader.nextInt();
    config.volumeBarPosition = parsed.volumeBarPosition;
    return parsed;
}

std::string ComposeConfigValue(const ViewerConfig& config, int volumePercent,
                               int volumeBarPosition, const ConfigTail& tail) {
    std::string value;
    appendField(value, config.gsensorLevel);
    appendField(value, config.spare);
    appendField(value, config.speedUnit);
    appendField(value, volumePercent);
    appendField(value, config.passwordFlag);
    appendField(value, storable(config.passwordDigits, ViewerConfig::kPasswordDigitsCapacity - 1));
    appendField(value, storable(config.timeTextOnSave, ViewerConfig::kTimeTextOnSaveCapacity - 1));
    appendField(value, storable(config.timeTextOnClose, ViewerConfig::kTimeTextOnCloseCapacity - 1));
    appendField(value, volumeBarPosition);

    std::string folders;
    appendField(folders, storable(tail.captureFolder));
    appendFlag(folders, tail.captureFront);
    appendFlag(folders, tail.captureRear);
    appendField(folders, storable(tail.clipFolder));
    appendFlag(folders, tail.clipFront);
    appendFlag(folders, tail.clipRear);
    appendField(folders, storable(tail.saveSettingsFolder));

    if (value.size() + folders.size() + 1 <= kConfigValueMaxLength) value += folders;
    value.push_back(kSeparator);
    return value;
}

} // namespace settings
