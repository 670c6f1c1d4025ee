#pragma once
// Clockfix's start: one instance only (the named mutex "TRIPDESK_APP"; a second start ends at
// once, silently), then the main window modally until it closes.

namespace clockfix {

// Returns the program's exit code, 0 in both cases.
int RunClockfix();

} // namespace clockfix
