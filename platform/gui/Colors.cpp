#include "platform/gui/Colors.h"

namespace platform {

QRgb toQRgb(int windowsColor)
{
    return qRgb(windowsColor & 0xFF, (windowsColor >> 8) & 0xFF, (windowsColor >> 16) & 0xFF);
}

QColor toQColor(int windowsColor)
{
    return QColor(toQRgb(windowsColor));
}

int fromQRgb(QRgb rgb)
{
    return qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16);
}

int fromQColor(const QColor& color)
{
    return fromQRgb(color.rgb());
}

} // namespace platform
