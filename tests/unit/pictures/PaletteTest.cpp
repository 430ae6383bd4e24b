#include "pictures/Palette.h"
#include "platform/gui/Colors.h"

#include <gtest/gtest.h>

#include <QImage>

#include <climits>

namespace {

// A palette value or a colour to compare with pixels must be what a screen
// pixel gives back, whatever a program passed in the high byte.
TEST(Palette, NormalisedColourIsWhatAScreenPixelGivesBack)
{
    QImage pixel(1, 1, QImage::Format_RGB32);
    for (int colour : { 0, 0x0000FF, 0x123456, 0xFFFFFF, 0x01FFFFFF, -1, INT_MIN, INT_MAX, -0x7F0000 }) {
        pixel.setPixel(0, 0, platform::toQRgb(colour));
        EXPECT_EQ(NormalisedColor(colour), platform::fromQRgb(pixel.pixel(0, 0))) << std::hex << colour;
    }
    const Palette palette;
    EXPECT_EQ(palette.PaletteColor(9), 0xFFAC00);
    EXPECT_EQ(palette.PaletteIndexOf(0xFFAC00), 9);
    EXPECT_EQ(palette.PaletteColor(16), 16);
    EXPECT_EQ(palette.PaletteIndexOf(0x123456), 0x123456);
}

} // namespace
