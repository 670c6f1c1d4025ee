#include "settings/setup_file.h"

#include "platform/number_text.h"

namespace settings {

namespace {

struct LanguageCode {
    std::int32_t choice;
    int code;
};

// Choice 0 Korean, 1 English, 2 Japanese, as the recorder numbers them.
constexpr LanguageCode kLanguageCodes[] = {{0, 1}, {1, 0}, {2, 2}};
constexpr int kUnknownLanguageCode = 1;

int LanguageCodeOf(std::int32_t choice) {
    for (const LanguageCode& language : kLanguageCodes)
        if (language.choice == choice) return language.code;
    return kUnknownLanguageCode;
}

} // namespace

std::string SetupFileLine(const ViewerConfig& config, const SettingChoices& choices) {
    // Channels and TV out count from 1 where the radio groups count from 0.
    return platform::FormatText("%d %d %d %d %d %d %d", choices.driveMode, config.micVolume,
                                config.speakerVolume, config.gsensorLevel, choices.channel + 1,
                                choices.tvOut + 1, LanguageCodeOf(choices.language));
}

std::filesystem::path SetupFilePath(const std::string& folder) {
    return std::filesystem::path(folder + kSetupFileName);
}

} // namespace settings
