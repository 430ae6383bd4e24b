#pragma once

#include <algorithm>

// Font height in pixels that 11 points give on the original 96-dpi screen.
constexpr int screenFontPixelHeight = 15;

// Text far taller than the image shows nothing more, and a font engine asked
// for millions of pixels would allocate glyph caches to match.
constexpr int maxFontPixelHeight = 2048;

// The pixel height that a size in points gives on that screen, rounded as
// the original screen rounded it (11 points are 15 pixels), and capped.
constexpr int FontPixelHeight(int points)
{
    return static_cast<int>(std::min<long long>((points * 96LL + 36) / 72, maxFontPixelHeight));
}
