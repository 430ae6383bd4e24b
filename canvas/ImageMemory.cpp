#include "canvas/ImageMemory.h"

#include "platform/gui/Colors.h"

#include <sys/mman.h>

#include <cstddef>
#include <limits>

namespace {

// Below this size malloc's own memory is as good; far above the screen's
// own sizes the image is left to Qt, which refuses what it cannot hold.
constexpr qsizetype smallestMappedImageBytes = 256 * 1024;
constexpr qsizetype largestMappedImageBytes = 64 * 1024 * 1024;

struct Mapping {
    void* address;
    size_t bytes;
};

void Unmap(void* info)
{
    const auto* mapping = static_cast<Mapping*>(info);
    munmap(mapping->address, mapping->bytes);
    delete mapping;
}

QImage NewImage(QSize size)
{
    if (size.width() <= 0 || size.height() <= 0) return QImage(size, QImage::Format_RGB32);
    const qsizetype bytesPerLine = static_cast<qsizetype>(size.width()) * 4;
    if (bytesPerLine > std::numeric_limits<qsizetype>::max() / size.height()) return QImage(size, QImage::Format_RGB32);
    const qsizetype bytes = bytesPerLine * size.height();
    if (bytes < smallestMappedImageBytes || bytes > largestMappedImageBytes) return QImage(size, QImage::Format_RGB32);
    void* address = mmap(
        nullptr, static_cast<size_t>(bytes), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (address == MAP_FAILED) return QImage(size, QImage::Format_RGB32);
    auto* mapping = new Mapping { address, static_cast<size_t>(bytes) };
    QImage image(
        static_cast<uchar*>(address), size.width(), size.height(), bytesPerLine, QImage::Format_RGB32, Unmap, mapping);
    if (image.isNull()) Unmap(mapping);
    return image;
}

} // namespace

QImage FilledImage(QSize size, int color)
{
    QImage image = NewImage(size);
    image.fill(platform::toQRgb(color));
    return image;
}

QImage BlankImage(QSize size, int color)
{
    // The last blank made is kept: the screen asks for the same white image
    // for each of its surfaces. The run-time screen lives on the GUI thread
    // only.
    static QImage last;
    static int lastColor = 0;
    if (last.isNull() || last.size() != size || lastColor != color) {
        last = FilledImage(size, color);
        lastColor = color;
    }
    return last;
}
