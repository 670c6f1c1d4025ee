#pragma once
// The process-wide format entry: empty until the first format looks it up, kept once found.
// Written only by the format worker, and only one format runs at a time (its window is modal).

#include "platform/format_service.h"

namespace clockfix {

// The entry, looked up now when it is still empty; nullptr when this machine cannot format.
platform::FormatExFunction FindFormatEntry();

} // namespace clockfix
