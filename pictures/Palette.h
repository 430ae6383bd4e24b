#pragma once

#include <array>
#include <cstddef>

// The screen's 16-colour palette. Colour arguments 0 to 15 select an entry;
// any other value is a Windows colour value (red in the low byte) used as it is.
class Palette {
public:
    static constexpr int size = 16;

    // The default palette, each value normalised through an image pixel so
    // that comparisons with pixels read back from the screen match.
    Palette();

    // 0..15 to the entry's value; other values unchanged.
    int PaletteColor(int c) const;
    // The first index whose value equals colour, else colour itself.
    int PaletteIndexOf(int colour) const;

    int operator[](int index) const { return colors[static_cast<std::size_t>(index)]; }

private:
    std::array<int, size> colors {};
};

// The value a colour has once written into a screen pixel and read back.
int NormalisedColor(int windowsColor);
