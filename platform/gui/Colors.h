#pragma once

#include <QColor>
#include <QRgb>

// Colours are Windows colour values everywhere in the system (0x00BBGGRR: red
// in the low byte); they become Qt colours only inside Qt calls. Only the low
// 24 bits of a value carry the colour.
namespace platform {

QRgb toQRgb(int windowsColor);
QColor toQColor(int windowsColor);
int fromQRgb(QRgb rgb);
int fromQColor(const QColor& color);

} // namespace platform
