#include "clockfix_resources.h"
#include "skin_data.h"

namespace clockfix_res {

QImage Bitmap(int id) {
    for (const skin_data::Entry& entry : skin_data::Bitmaps()) {
        if (entry.id != id) continue;
        QImage image;
        image.loadFromData(entry.data, static_cast<int>(entry.size), "PNG");
        return image.convertToFormat(QImage::Format_RGB32);
    }
    return {};
}

} // namespace clockfix_res
