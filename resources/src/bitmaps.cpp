#include <QPixmap>
#include <map>
#include <mutex>

#include "resources/resources.h"
#include "skin_data.h"

namespace resources {
namespace {

const skin_data::Entry* FindEntry(std::span<const skin_data::Entry> entries, int key) {
    for (const skin_data::Entry& entry : entries)
        if (entry.key == key) return &entry;
    return nullptr;
}

QImage Decode(const skin_data::Entry& entry, QImage::Format format) {
    QImage image;
    image.loadFromData(entry.data, static_cast<int>(entry.size), "PNG");
    return image.convertToFormat(format);
}

} // namespace

QImage Bitmap(int id) {
    // Decoded once per id; callers get shared copies that detach when they draw into them.
    static std::mutex mutex;
    static std::map<int, QImage> decoded;
    const std::lock_guard lock(mutex);
    if (const auto found = decoded.find(id); found != decoded.end()) return found->second;
    const skin_data::Entry* entry = FindEntry(skin_data::Bitmaps(), id);
    if (!entry) return {};
    return decoded.emplace(id, Decode(*entry, QImage::Format_RGB32)).first->second;
}

bool HasBitmap(int id) {
    return FindEntry(skin_data::Bitmaps(), id) != nullptr;
}

QIcon AppIcon() {
    QIcon icon;
    for (const skin_data::Entry& entry : skin_data::AppIcons())
        icon.addPixmap(QPixmap::fromImage(Decode(entry, QImage::Format_ARGB32)));
    return icon;
}

} // namespace resources
