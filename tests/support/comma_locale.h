#pragma once
// Switches the whole test process to a comma-decimal locale (de_DE.UTF-8, which scripts/bootstrap
// generates), the way Qt takes a user's locale from the environment. Call it before any thread
// of the test starts, and assert its result: a missing locale must fail the test, never skip it.

#include <clocale>
#include <cstdio>
#include <string>

namespace tripdesk::test {

inline constexpr const char* kCommaDecimalLocale = "de_DE.UTF-8";

// True once the C library formats 1.5 as "1,50".
inline bool UseCommaDecimalLocale() {
    std::setlocale(LC_ALL, kCommaDecimalLocale);
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", 1.5);
    return std::string(text) == "1,50";
}

} // namespace tripdesk::test
