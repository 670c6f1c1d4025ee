#include "platform/number_text.h"

#include <clocale>
#include <cstdio>
#include <locale.h>

namespace platform {

namespace {

// The "C" locale, made once and kept for the life of the process.
locale_t CLocale() {
    static const locale_t locale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

// Switches the calling thread to the "C" locale for as long as it lives.
class CLocaleScope {
public:
    CLocaleScope() : previous_(::uselocale(CLocale())) {}
    ~CLocaleScope() { ::uselocale(previous_); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t previous_;
};

} // namespace

std::string FormatTextV(const char* format, va_list arguments) {
    const CLocaleScope scope;
    va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, arguments);
    return text;
}

std::string FormatText(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::string text = FormatTextV(format, arguments);
    va_end(arguments);
    return text;
}

} // namespace platform
