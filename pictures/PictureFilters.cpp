#include "pictures/PictureFilters.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

int Red(uint32_t p)
{
    return static_cast<int>((p >> 16) & 0xFF);
}
int Green(uint32_t p)
{
    return static_cast<int>((p >> 8) & 0xFF);
}
int Blue(uint32_t p)
{
    return static_cast<int>(p & 0xFF);
}
uint32_t Pixel(int r, int g, int b)
{
    return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}
int Limit(double value)
{
    if (!(value > 0)) return 0; // also NaN
    if (value >= 255) return 255;
    return static_cast<int>(value);
}

template <typename Map> void EachPixel(Picture& picture, Map map)
{
    for (uint32_t& p : picture.pixels)
        p = map(p);
}

} // namespace

void ToBlackWhite(Picture& picture, int threshold)
{
    if (threshold <= 0) threshold = 128;
    if (threshold >= 256) threshold = 255;
    EachPixel(
        picture, [threshold](uint32_t p) { return (Red(p) + Green(p) + Blue(p)) / 3 < threshold ? 0u : 0xFFFFFFu; });
}

Picture FindEdges(Picture picture, int threshold, bool invert)
{
    if (threshold >= 256) threshold = 255;
    if (threshold > 0) ToBlackWhite(picture, threshold);
    const uint32_t background = invert ? 0 : 0xFFFFFF;
    const uint32_t edge = invert ? 0xFFFFFF : 0;
    // In place, row by row: the rows above and at y are kept as they were,
    // since every result pixel depends on the original neighbours. Fresh
    // pictures cost a page fault per 4 KiB, which dominates large pictures.
    const int w = picture.width, h = picture.height;
    std::vector<uint32_t> above(static_cast<size_t>(w)), row(static_cast<size_t>(w));
    for (int y = 0; y < h; ++y) {
        uint32_t* line = &picture.At(0, y);
        std::swap(above, row);
        std::copy_n(line, w, row.begin());
        for (int x = 0; x < w; ++x) {
            const bool inside = x > 0 && y > 0 && x + 1 < w && y + 1 < h;
            const uint32_t p = row[static_cast<size_t>(x)];
            line[x] = inside && p == row[static_cast<size_t>(x) - 1] && p == row[static_cast<size_t>(x) + 1]
                    && p == above[static_cast<size_t>(x)] && p == picture.At(x, y + 1)
                ? background
                : edge;
        }
    }
    return picture;
}

void ToGray(Picture& picture, double wr, double wg, double wb)
{
    EachPixel(picture, [=](uint32_t p) {
        const int gray = Limit(std::trunc(Red(p) * wr + Green(p) * wg + Blue(p) * wb));
        return Pixel(gray, gray, gray);
    });
}

void ScaleChannels(Picture& picture, double fr, double fg, double fb)
{
    auto factor = [](double f) { return 1 + std::clamp(f, -1.0, 1.0); };
    const double r = factor(fr), g = factor(fg), b = factor(fb);
    EachPixel(picture, [=](uint32_t p) {
        return Pixel(Limit(std::trunc(Red(p) * r)), Limit(std::trunc(Green(p) * g)), Limit(std::trunc(Blue(p) * b)));
    });
}

void ChangeContrast(Picture& picture, double contrast, double pivot)
{
    contrast = std::clamp(contrast, -1.0, 1.0);
    if (pivot <= 0) pivot = 128;
    if (pivot > 255) pivot = 255;
    // The channel map depends on the value alone: a table of 256 entries.
    int table[256];
    const double floorPivot = std::trunc(pivot);
    for (int x = 0; x < 256; ++x) {
        double v = x;
        if (x > pivot)
            v = std::max(std::trunc(x * (1 + contrast)), floorPivot);
        else if (x < pivot)
            v = std::min(std::trunc(x * (1 - contrast)), floorPivot);
        table[x] = Limit(v);
    }
    EachPixel(picture, [&](uint32_t p) { return Pixel(table[Red(p)], table[Green(p)], table[Blue(p)]); });
}

void Negative(Picture& picture)
{
    EachPixel(picture, [](uint32_t p) { return 0xFFFFFFu - (p & 0xFFFFFFu); });
}

double ColorDistance(uint32_t a, uint32_t b)
{
    const int dr = Red(a) - Red(b), dg = Green(a) - Green(b), db = Blue(a) - Blue(b);
    return std::sqrt(static_cast<double>(dr * dr + dg * dg + db * db));
}

void ReplaceColor(Picture& picture, uint32_t from, uint32_t to, double tolerance)
{
    if (tolerance > 1) tolerance = 1;
    if (tolerance < 0) tolerance = 0.2;
    const double limit = tolerance * LargestColorDistance;
    EachPixel(picture, [=](uint32_t p) { return ColorDistance(p, from) <= limit ? to : p; });
}

Picture ComparePictures(Picture a, const Picture& b, double tolerance)
{
    if (tolerance < 0) tolerance = 0.1;
    if (tolerance > 1) tolerance = 1;
    // Whether two channel values differ, for every pair: the relative
    // difference takes a division, which a table of 64 K answers saves per
    // channel of every pixel.
    std::vector<uint8_t> differs(256 * 256);
    for (int x = 0; x < 256; ++x)
        for (int y = 0; y < 256; ++y)
            differs[static_cast<size_t>(x * 256 + y)]
                = x != y && static_cast<double>(std::abs(x - y)) / std::max(x, y) > tolerance;
    auto channelDiffers = [&differs](int x, int y) { return differs[static_cast<size_t>(x * 256 + y)] != 0; };
    // In place: each result pixel depends on the pixels at its own position only.
    for (int y = 0; y < a.height; ++y) {
        uint32_t* row = &a.At(0, y);
        if (y >= b.height) {
            std::fill_n(row, a.width, 0xFFFFFFu);
            continue;
        }
        const uint32_t* other = &b.At(0, y);
        for (int x = 0; x < a.width; ++x) {
            uint32_t& p = row[x];
            if (x >= b.width) {
                p = 0xFFFFFF;
                continue;
            }
            const uint32_t q = other[x];
            const bool differ = channelDiffers(Red(p), Red(q)) || channelDiffers(Green(p), Green(q))
                || channelDiffers(Blue(p), Blue(q));
            p = differ ? 0xFFFFFF : 0;
        }
    }
    return a;
}

Picture Crop(const Picture& picture, int x, int y, int width, int height)
{
    Picture part(width, height);
    for (int j = 0; j < height; ++j)
        std::copy_n(&picture.At(x, y + j), width, &part.At(0, j));
    return part;
}

void FlipRows(Picture& picture)
{
    for (int j = 0; j < picture.height / 2; ++j)
        std::swap_ranges(&picture.At(0, j), &picture.At(0, j) + picture.width, &picture.At(0, picture.height - 1 - j));
}

void MirrorColumns(Picture& picture)
{
    for (int j = 0; j < picture.height; ++j)
        std::reverse(&picture.At(0, j), &picture.At(0, j) + picture.width);
}

Picture Stretch(const Picture& picture, int width, int height)
{
    return StretchPart(picture, width, height, width, height);
}

Picture StretchPart(const Picture& picture, int width, int height, int partWidth, int partHeight)
{
    partWidth = std::min(partWidth, width);
    partHeight = std::min(partHeight, height);
    Picture result(std::max(partWidth, 0), std::max(partHeight, 0));
    if (picture.Empty() || result.Empty()) return result;
    std::vector<int> columns(static_cast<size_t>(partWidth));
    for (int i = 0; i < partWidth; ++i)
        columns[static_cast<size_t>(i)] = static_cast<int>((2LL * i + 1) * picture.width / (2LL * width));
    for (int j = 0; j < partHeight; ++j) {
        const int sy = static_cast<int>((2LL * j + 1) * picture.height / (2LL * height));
        const uint32_t* source = &picture.At(0, sy);
        uint32_t* target = &result.At(0, j);
        for (int i = 0; i < partWidth; ++i)
            target[i] = source[columns[static_cast<size_t>(i)]];
    }
    return result;
}

void RotateInto(const Picture& source, Picture& result, double degrees, uint32_t background)
{
    constexpr uint32_t Border = 0x008000;
    const int w = result.width, h = result.height;
    // Flood fill up to the border colour, span by span with an explicit stack.
    if (w > 0 && h > 0 && result.At(0, 0) != Border) {
        std::vector<uint8_t> seen(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
        auto open = [&](int x, int y) {
            const size_t at = static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x);
            return !seen[at] && result.pixels[at] != Border;
        };
        std::vector<std::pair<int, int>> stack { { 0, 0 } };
        while (!stack.empty()) {
            auto [x, y] = stack.back();
            stack.pop_back();
            if (!open(x, y)) continue;
            int left = x, right = x;
            while (left > 0 && open(left - 1, y))
                --left;
            while (right + 1 < w && open(right + 1, y))
                ++right;
            for (int i = left; i <= right; ++i) {
                seen[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(i)] = 1;
                result.At(i, y) = background;
            }
            for (int row : { y - 1, y + 1 }) {
                if (row < 0 || row >= h) continue;
                bool inSpan = false;
                for (int i = left; i <= right; ++i) {
                    const bool here = open(i, row);
                    if (here && !inSpan) stack.push_back({ i, row });
                    inSpan = here;
                }
            }
        }
    }
    const double t = -degrees * std::numbers::pi / 180;
    const double c = std::cos(t), s = std::sin(t);
    const double cx = w / 2.0, cy = h / 2.0;
    for (int j = 0; j < source.height && j < h; ++j)
        for (int i = 0; i < source.width && i < w; ++i) {
            const double u = std::round(cx + (i - cx) * c - (j - cy) * s);
            const double v = std::round(cy + (i - cx) * s + (j - cy) * c);
            if (u >= 0 && u < w && v >= 0 && v < h)
                result.At(static_cast<int>(u), static_cast<int>(v)) = source.At(i, j);
        }
}
