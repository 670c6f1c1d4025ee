#include "platform/displays.h"

#include <QGuiApplication>
#include <QScreen>
#include <mutex>

namespace platform {

namespace {

std::mutex overrideMutex;
std::optional<QRect> desktopOverride;

bool HaveScreens() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

} // namespace

std::vector<DisplayMode> EnumDisplays() {
    std::vector<DisplayMode> modes;
    if (!HaveScreens()) return modes;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QSize size = screen->geometry().size();
        if (size.width() > 0 && size.height() > 0) modes.push_back({size.width(), size.height()});
    }
    return modes;
}

QRect DesktopRect() {
    {
        std::lock_guard lock(overrideMutex);
        if (desktopOverride) return *desktopOverride;
    }
    if (!HaveScreens()) return {};
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry() : QRect();
}

void SetDesktopRectOverride(std::optional<QRect> rect) {
    std::lock_guard lock(overrideMutex);
    desktopOverride = rect;
}

} // namespace platform
