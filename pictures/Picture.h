#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A picture as the codecs and filters handle it: rows top to bottom, each pixel
// 0x00RRGGBB (the layout of an RGB32 image without its alpha byte). Plain data
// so that the readers and filters run and are tested without a display.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    // Largest side and pixel count a reader accepts: a header asking for more
    // is refused before anything is allocated.
    static constexpr int MaxSide = 32767;
    static constexpr long long MaxPixels = 1LL << 26;
    static bool SizeAllowed(long long width, long long height)
    {
        return width > 0 && height > 0 && width <= MaxSide && height <= MaxSide && width * height <= MaxPixels;
    }

    Picture() = default;
    Picture(int w, int h, uint32_t fill = 0)
        : width(w)
        , height(h)
        , pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill)
    { }

    bool Empty() const { return width <= 0 || height <= 0; }
    uint32_t& At(int x, int y)
    {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
    const uint32_t& At(int x, int y) const
    {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};

// Windows colour values (red in the low byte) and picture pixels.
inline uint32_t PixelFromColor(int color)
{
    const uint32_t c = static_cast<uint32_t>(color);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline int ColorFromPixel(uint32_t pixel)
{
    return static_cast<int>(((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF));
}
