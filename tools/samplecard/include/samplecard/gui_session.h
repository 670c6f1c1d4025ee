#pragma once

namespace samplecard {

// Painting text on a QImage needs a QGuiApplication. Creates one on the offscreen platform
// (unless QT_QPA_PLATFORM says otherwise) when the process has none; it lives until the
// process ends. Throws std::runtime_error when the process has a QCoreApplication only.
// Call on the thread that owns (or will own) the application.
void ensureGuiApplication();

}  // namespace samplecard
