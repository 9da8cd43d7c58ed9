// The toolbar's pictures: strips of 48-pixel-wide images, in normal, hot and disabled sets.
#include "app/ToolbarImages.h"

#include "assets/AssetPaths.h"

#include <QBitmap>

namespace {
std::vector<QPixmap> loadStrip(const char* relative) {
    return cutToolbarStrip(QImage(findProgramFile(QString::fromLatin1(relative))));
}
} // namespace

std::vector<QPixmap> cutToolbarStrip(const QImage& strip) {
    std::vector<QPixmap> images;
    if (strip.isNull() || strip.width() < kToolbarImageWidth) return images;
    const QImage rgb = strip.convertToFormat(QImage::Format_RGB32);
    const QRgb key = rgb.pixel(0, 0);
    for (int x = 0; x + kToolbarImageWidth <= rgb.width(); x += kToolbarImageWidth) {
        const QImage cell = rgb.copy(x, 0, kToolbarImageWidth, rgb.height());
        QPixmap pixmap = QPixmap::fromImage(cell);
        pixmap.setMask(QBitmap::fromImage(cell.createMaskFromColor(key, Qt::MaskInColor)));
        images.push_back(pixmap);
    }
    return images;
}

ToolbarIcons loadToolbarIcons(int buttonCount) {
    ToolbarIcons result;
    const std::vector<QPixmap> normal = loadStrip("res/toolbar-normal.bmp");
    if (int(normal.size()) < buttonCount) return result;
    const std::vector<QPixmap> hot = loadStrip("res/toolbar-hot.bmp");
    const std::vector<QPixmap> disabled = loadStrip("res/toolbar-disabled.bmp");
    result.loaded = true;
    result.size = normal.front().size();
    for (size_t i = 0; i < size_t(buttonCount); ++i) {
        QIcon icon(normal[i]);
        if (i < hot.size()) icon.addPixmap(hot[i], QIcon::Active);
        if (i < disabled.size()) icon.addPixmap(disabled[i], QIcon::Disabled);
        result.icons.push_back(icon);
    }
    return result;
}
