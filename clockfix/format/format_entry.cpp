#include "format_entry.h"

#include <atomic>

namespace clockfix {
namespace {

std::atomic<platform::FormatExFunction> entry{nullptr};

} // namespace

platform::FormatExFunction FindFormatEntry() {
    if (platform::FormatExFunction found = entry.load()) return found;
    const platform::FormatExFunction found = platform::FindFormatEx();
    entry.store(found);
    return found;
}

} // namespace clockfix
