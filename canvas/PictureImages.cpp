#include "canvas/PictureImages.h"

#include <QImage>

QImage ImageFromPicture(const Picture& picture)
{
    if (picture.Empty()) return {};
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    if (image.isNull()) return {};
    for (int y = 0; y < picture.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
        const uint32_t* source = &picture.pixels[static_cast<size_t>(y) * static_cast<size_t>(picture.width)];
        for (int x = 0; x < picture.width; ++x)
            row[x] = source[x] | 0xFF000000u;
    }
    return image;
}

Picture PictureFromImage(const QImage& image)
{
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) return {};
    const QImage rgb = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
        ? image
        : image.convertToFormat(QImage::Format_RGB32);
    Picture picture(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(rgb.constScanLine(y));
        uint32_t* target = &picture.pixels[static_cast<size_t>(y) * static_cast<size_t>(picture.width)];
        for (int x = 0; x < picture.width; ++x)
            target[x] = row[x] & 0x00FFFFFFu;
    }
    return picture;
}
