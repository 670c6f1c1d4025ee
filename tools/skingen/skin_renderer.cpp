#include "skin_renderer.h"

#include <QPainter>
#include <map>
#include <stdexcept>
#include <string>

#include "app_icon.h"
#include "skin_table.h"

namespace skingen {
namespace {

QImage Render(const SkinBitmap& row, const std::map<Backdrop, QImage>& backdrops) {
    QImage image(row.width, row.height, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    if (row.backdrop != Backdrop::None) {
        const auto found = backdrops.find(row.backdrop);
        if (found == backdrops.end())
            throw std::logic_error("bitmap " + std::to_string(row.id) + " is listed before its backdrop");
        const QRect cut(row.backdropX, row.backdropY, row.width, row.height);
        if (!found->second.rect().contains(cut))
            throw std::logic_error("bitmap " + std::to_string(row.id) + " is cut outside its backdrop");
        p.drawImage(QPoint(0, 0), found->second, cut);
    }
    row.paint(p, image.rect(), row.arg, row.pressed);
    p.end();
    return image;
}

} // namespace

std::vector<RenderedBitmap> RenderSkin() {
    std::map<Backdrop, QImage> backdrops;
    std::vector<RenderedBitmap> out;
    for (const SkinBitmap& row : SkinBitmaps()) {
        QImage image = Render(row, backdrops);
        if (row.id == kWindowSkinId) backdrops[Backdrop::Window] = image;
        if (row.id == kSplashId) backdrops[Backdrop::Splash] = image;
        out.push_back({row.id, std::move(image)});
    }
    return out;
}

std::vector<RenderedIcon> RenderAppIcons() {
    std::vector<RenderedIcon> out;
    for (int size : kAppIconSizes) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        PaintAppIconAt(p, image.rect());
        p.end();
        out.push_back({size, std::move(image)});
    }
    return out;
}

} // namespace skingen
