#include "command.h"

#include <array>
#include <span>
#include <vector>

#include "platform/number_text.h"

namespace vexplayer {

namespace {

struct Token {
    std::string text;
    bool quoted = false;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Splits at blanks; a token in double quotes may hold blanks but never a quote. Nothing when a
// quote does not close, a closing quote is not followed by a blank, or a bare token has a quote.
std::optional<std::vector<Token>> Tokenize(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsBlank(text[i])) {
            ++i;
            continue;
        }
        if (text[i] == '"') {
            const std::size_t close = text.find('"', i + 1);
            if (close == std::string_view::npos) return std::nullopt;
            if (close + 1 < text.size() && !IsBlank(text[close + 1])) return std::nullopt;
            tokens.push_back({std::string(text.substr(i + 1, close - i - 1)), true});
            i = close + 1;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !IsBlank(text[end])) {
            if (text[end] == '"') return std::nullopt;
            ++end;
        }
        tokens.push_back({std::string(text.substr(i, end - i)), false});
        i = end;
    }
    return tokens;
}

std::optional<double> Number(const Token& token) {
    if (token.quoted) return std::nullopt;
    return platform::ParseDecimal(token.text);
}

std::optional<int> Integer(const Token& token) {
    if (token.quoted) return std::nullopt;
    return platform::ParseInteger<int>(token.text);
}

using Args = std::span<const Token>;

std::optional<Command> BuildLoadFiles(Args args) {
    if (!args[0].quoted || !args[1].quoted) return std::nullopt;
    return LoadFiles{args[0].text, args[1].text};
}

std::optional<Command> BuildPause(Args) { return TogglePause{}; }

std::optional<Command> BuildStop(Args args) {
    for (const Token& arg : args)
        if (!Integer(arg)) return std::nullopt;
    return StopPlayback{};
}

std::optional<Command> BuildSeek(Args args) {
    const auto value = Number(args[0]);
    if (!value) return std::nullopt;
    int type = 0;
    if (args.size() > 1) {
        const auto given = Integer(args[1]);
        if (!given) return std::nullopt;
        type = *given;
    }
    constexpr std::array kModes{SeekMode::Relative, SeekMode::Percent, SeekMode::Absolute};
    if (type < 0 || type >= static_cast<int>(kModes.size())) return std::nullopt;
    return Seek{*value, kModes[static_cast<std::size_t>(type)]};
}

template <SpeedChange change>
std::optional<Command> BuildSpeed(Args args) {
    const auto value = Number(args[0]);
    if (!value || (args.size() > 1 && !Integer(args[1]))) return std::nullopt;
    return ChangeSpeed{*value, change};
}

std::optional<Command> BuildVolume(Args args) {
    const auto value = Number(args[0]);
    if (!value) return std::nullopt;
    bool absolute = false;
    if (args.size() > 1) {
        const auto flag = Integer(args[1]);
        if (!flag) return std::nullopt;
        absolute = *flag != 0;
    }
    return ChangeVolume{*value, absolute};
}

std::optional<Command> BuildQuit(Args args) {
    if (!args.empty() && !Integer(args[0])) return std::nullopt;
    return Quit{};
}

struct CommandRow {
    std::string_view name;
    std::size_t minArgs;
    std::size_t maxArgs;
    std::optional<Command> (*build)(Args);
};

constexpr std::array kCommands{
    CommandRow{"tarn_loadfile", 2, 2, BuildLoadFiles},
    CommandRow{"pause", 0, 0, BuildPause},
    CommandRow{"pt_step", 1, 2, BuildStop},
    CommandRow{"seek", 1, 2, BuildSeek},
    CommandRow{"speed_incr", 1, 1, BuildSpeed<SpeedChange::Add>},
    CommandRow{"speed_mult", 1, 1, BuildSpeed<SpeedChange::Multiply>},
    CommandRow{"speed_set", 1, 2, BuildSpeed<SpeedChange::Set>},
    CommandRow{"volume", 1, 2, BuildVolume},
    CommandRow{"quit", 0, 1, BuildQuit},
};

} // namespace

std::optional<Command> ParseCommand(std::string_view text) {
    const auto tokens = Tokenize(text);
    if (!tokens || tokens->empty() || tokens->front().quoted) return std::nullopt;
    const Args args = Args(*tokens).subspan(1);
    for (const CommandRow& row : kCommands) {
        if (row.name != tokens->front().text) continue;
        if (args.size() < row.minArgs || args.size() > row.maxArgs) return std::nullopt;
        return row.build(args);
    }
    return std::nullopt;
}

} // namespace vexplayer
