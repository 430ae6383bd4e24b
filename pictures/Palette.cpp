#include "pictures/Palette.h"

namespace {

// black, blue, green, teal, red, purple, maroon, silver, gray, light blue,
// lime, aqua, light red, fuchsia, yellow, white
constexpr std::array<int, Palette::size> defaultPalette = {
    0x000000, 0xFF0000, 0x008000, 0x808000, 0x0000FF, 0x800080, 0x000080, 0xC0C0C0, //
    0x808080, 0xFFAC00, 0x00FF00, 0xFFFF00, 0x8080FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF, //
};

} // namespace

int NormalisedColor(int windowsColor)
{
    // A screen pixel is opaque RGB: only the three colour bytes survive.
    return windowsColor & 0xFFFFFF;
}

Palette::Palette()
{
    for (int k = 0; k < size; ++k)
        colors[static_cast<size_t>(k)] = NormalisedColor(defaultPalette[static_cast<size_t>(k)]);
}

int Palette::PaletteColor(int c) const
{
    return c >= 0 && c < size ? colors[static_cast<size_t>(c)] : c;
}

int Palette::PaletteIndexOf(int colour) const
{
    for (int k = 0; k < size; ++k) {
        if (colors[static_cast<size_t>(k)] == colour) return k;
    }
    return colour;
}
