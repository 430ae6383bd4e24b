#include "canvas/raster/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace raster {

namespace {

constexpr Pixel ColorMask = 0x00FFFFFF;

// The part of [from, to) that lies inside [0, limit).
std::pair<int, int> ClipRange(Coordinate from, Coordinate to, int limit)
{
    const Coordinate low = std::clamp<Coordinate>(from, 0, limit);
    const Coordinate high = std::clamp<Coordinate>(to, low, limit);
    return { static_cast<int>(low), static_cast<int>(high) };
}

WideBox Normalised(WideBox box)
{
    if (box.right < box.left) std::swap(box.left, box.right);
    if (box.bottom < box.top) std::swap(box.top, box.bottom);
    return box;
}

Box Clipped(const Surface& surface, Coordinate left, Coordinate top, Coordinate right, Coordinate bottom)
{
    auto [l, r] = ClipRange(left, right, surface.width);
    auto [t, b] = ClipRange(top, bottom, surface.height);
    return Box { l, t, r, b };
}

// Fills count pixels from row on with value, four at a time where the
// vector unit allows: the compiler leaves a plain fill loop pixel by pixel.
void FillPixels(Pixel* row, std::ptrdiff_t count, Pixel value)
{
#if defined(__SSE2__)
    if (count >= 4) {
        const __m128i four = _mm_set1_epi32(static_cast<int>(value));
        Pixel* const end = row + count;
        for (; end - row >= 16; row += 16) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row), four);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + 4), four);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + 8), four);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + 12), four);
        }
        for (; end - row > 4; row += 4)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row), four);
        // The last four, overlapping what is already filled.
        _mm_storeu_si128(reinterpret_cast<__m128i*>(end - 4), four);
        return;
    }
#endif
    for (; count > 0; --count)
        *row++ = value;
}

void FillRow(const Surface& surface, int y, Coordinate from, Coordinate to, Pixel value)
{
    if (y < 0 || y >= surface.height) return;
    auto [l, r] = ClipRange(from, to, surface.width);
    FillPixels(surface.Row(y) + l, r - l, value);
}

// Pixels of one row of an ellipse: `none` when the row lies outside the box.
struct RowSpan {
    Coordinate left = 0;
    Coordinate right = -1; // inclusive
    bool none = true;
};

// The covered pixels of row y of the ellipse in box (normalised, not empty).
// Spans are built outward from the centre column(s), so each row is exactly
// symmetric, and every row of the box keeps its centre pixel(s).
RowSpan EllipseRow(const WideBox& box, Coordinate y)
{
    RowSpan span;
    if (y < box.top || y >= box.bottom) return span;
    const Coordinate width = box.right - box.left;
    const Coordinate height = box.bottom - box.top;
    const double radiusX = static_cast<double>(width) / 2.0;
    const double radiusY = static_cast<double>(height) / 2.0;
    // Twice the distance of the pixel centre from the centre row is exact.
    const double fromCentre = static_cast<double>(2 * (y - box.top) + 1 - height) / 2.0;
    const double t = fromCentre / radiusY;
    const double half = radiusX * std::sqrt(std::max(0.0, 1.0 - t * t));
    const Coordinate centreLeft = box.left + (width - 1) / 2;
    const Coordinate centreRight = box.left + width / 2;
    // Odd widths: pixel centres sit at whole distances from the centre; even
    // widths at halves.
    Coordinate reach
        = width % 2 == 1 ? static_cast<Coordinate>(std::floor(half)) : static_cast<Coordinate>(std::floor(half - 0.5));
    reach = std::clamp<Coordinate>(reach, 0, (width - 1) / 2);
    span.left = centreLeft - reach;
    span.right = centreRight + reach;
    span.none = false;
    return span;
}

// The visible steps of a line: the place of the first (along its major and
// minor axes), the direction of each axis and the number of steps.
struct LineWalk {
    Coordinate majorAt = 0;
    Coordinate minorAt = 0;
    Coordinate majorStep = 1;
    Coordinate minorStep = 1;
    Coordinate steps = 0;
    bool alongX = true;
};

// Draws the steps of walk, carrying the minor offset as remainder against
// divisor. The major coordinate of every step lies on the surface; the minor
// one is tested. Both move monotonically, so the box of the pixels drawn is
// that of the first and the last of them, and a pixel's place in the buffer
// moves by a fixed amount per step.
template <typename Wide>
Box WalkLine(const Surface& surface, const LineWalk& walk, Wide remainder, Wide divisor, Wide increment, Pixel value)
{
    const Coordinate minorLimit = walk.alongX ? surface.height : surface.width;
    Coordinate majorAt = walk.majorAt;
    Coordinate minorAt = walk.minorAt;
    Coordinate steps = walk.steps;
    auto advance = [&] {
        majorAt += walk.majorStep;
        remainder += increment;
        if (remainder >= divisor) {
            remainder -= divisor;
            minorAt += walk.minorStep;
        }
    };
    // The steps before the minor coordinate comes onto the surface.
    while (steps > 0 && (minorAt < 0 || minorAt >= minorLimit)) {
        advance();
        --steps;
    }
    if (steps == 0) return {};
    const Coordinate firstMajor = majorAt, firstMinor = minorAt;
    // From here the pixel's place moves by a fixed amount per step, until the
    // minor coordinate leaves the surface for good.
    const std::ptrdiff_t majorMove = walk.alongX ? walk.majorStep : walk.majorStep * surface.stride;
    const std::ptrdiff_t minorMove = walk.alongX ? walk.minorStep * surface.stride : walk.minorStep;
    Pixel* pixel = walk.alongX ? surface.Row(static_cast<int>(minorAt)) + majorAt
                               : surface.Row(static_cast<int>(majorAt)) + minorAt;
    Coordinate lastMinor = minorAt;
    Coordinate drawn = 0;
    for (; drawn < steps; ++drawn) {
        *pixel = value;
        lastMinor = minorAt;
        remainder += increment;
        if (remainder >= divisor) {
            remainder -= divisor;
            minorAt += walk.minorStep;
            if (minorAt < 0 || minorAt >= minorLimit) {
                ++drawn;
                break;
            }
            pixel += minorMove;
        }
        pixel += majorMove;
    }
    const Coordinate lastMajor = firstMajor + walk.majorStep * (drawn - 1);
    const Coordinate x1 = walk.alongX ? firstMajor : firstMinor, x2 = walk.alongX ? lastMajor : lastMinor;
    const Coordinate y1 = walk.alongX ? firstMinor : firstMajor, y2 = walk.alongX ? lastMinor : lastMajor;
    return Box { static_cast<int>(std::min(x1, x2)), static_cast<int>(std::min(y1, y2)),
        static_cast<int>(std::max(x1, x2)) + 1, static_cast<int>(std::max(y1, y2)) + 1 };
}

} // namespace

Box Box::United(const Box& other) const
{
    if (other.Empty()) return *this;
    if (Empty()) return other;
    return Box { std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
        std::max(bottom, other.bottom) };
}

bool SameColor(Pixel a, Pixel b)
{
    return ((a ^ b) & ColorMask) == 0;
}

Box PutPixel(const Surface& surface, Coordinate x, Coordinate y, Pixel value)
{
    if (!surface.Contains(x, y)) return {};
    const int column = static_cast<int>(x);
    const int row = static_cast<int>(y);
    surface.Row(row)[column] = value;
    return Box { column, row, column + 1, row + 1 };
}

bool PixelAt(const Surface& surface, Coordinate x, Coordinate y, Pixel& value)
{
    if (!surface.Contains(x, y)) return false;
    value = surface.Row(static_cast<int>(y))[static_cast<int>(x)];
    return true;
}

Box Line(const Surface& surface, Coordinate x1, Coordinate y1, Coordinate x2, Coordinate y2, Pixel value)
{
    const Coordinate dx = x2 - x1;
    const Coordinate dy = y2 - y1;
    const Coordinate stepX = dx < 0 ? -1 : 1;
    const Coordinate stepY = dy < 0 ? -1 : 1;
    const Coordinate absX = dx < 0 ? -dx : dx;
    const Coordinate absY = dy < 0 ? -dy : dy;
    const bool alongX = absX >= absY;
    const Coordinate steps = alongX ? absX : absY; // the last pixel is left out
    if (steps == 0) return {};

    // Only the steps whose major coordinate lies on the surface are visited,
    // so a line of any length costs at most one surface width or height.
    const Coordinate start = alongX ? x1 : y1;
    const Coordinate direction = alongX ? stepX : stepY;
    const Coordinate limit = alongX ? surface.width : surface.height;
    Coordinate first = direction > 0 ? -start : start - (limit - 1);
    Coordinate last = direction > 0 ? limit - 1 - start : start;
    first = std::max<Coordinate>(first, 0);
    last = std::min<Coordinate>(last, steps - 1);

    if (first > last) return {};

    // The offset along the minor axis of pixel `step` is the nearest whole
    // pixel, a half rounding away from the start: the quotient of
    // 2 * step * minor + major by 2 * major, in 128 bits so that any two
    // 32-bit points fit. It is carried from step to step as quotient and
    // remainder, since the numerator grows by 2 * minor per step and that is
    // at most the divisor 2 * major; only the first step needs a division.
    const Coordinate major = alongX ? absX : absY;
    const Coordinate minor = alongX ? absY : absX;
    const __int128 divisor = static_cast<__int128>(2) * major;
    const __int128 numerator = static_cast<__int128>(2) * first * minor + major;
    LineWalk walk;
    walk.majorAt = start + direction * first;
    walk.minorAt = (alongX ? y1 : x1) + (alongX ? stepY : stepX) * static_cast<Coordinate>(numerator / divisor);
    walk.majorStep = direction;
    walk.minorStep = alongX ? stepY : stepX;
    walk.steps = last - first + 1;
    walk.alongX = alongX;
    // The remainder stays below 2 * major + 2 * minor, so 64 bits carry it
    // for every line whose ends a program can name; wider lines take 128.
    constexpr Coordinate NarrowMajor = Coordinate { 1 } << 60;
    if (major < NarrowMajor)
        return WalkLine<Coordinate>(surface, walk, static_cast<Coordinate>(numerator % divisor),
            static_cast<Coordinate>(divisor), 2 * minor, value);
    return WalkLine<__int128>(surface, walk, numerator % divisor, divisor, static_cast<__int128>(2) * minor, value);
}

Box FillBox(const Surface& surface, const WideBox& wide, Pixel value)
{
    const WideBox box = Normalised(wide);
    const Box clipped = Clipped(surface, box.left, box.top, box.right, box.bottom);
    if (clipped.Empty()) return {};
    for (int y = clipped.top; y < clipped.bottom; ++y)
        FillPixels(surface.Row(y) + clipped.left, clipped.right - clipped.left, value);
    return clipped;
}

Box Rectangle(const Surface& surface, const WideBox& wide, Pixel pen, Pixel brush)
{
    const WideBox box = Normalised(wide);
    const Box clipped = Clipped(surface, box.left, box.top, box.right, box.bottom);
    if (clipped.Empty()) return {};
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        if (y == box.top || y == box.bottom - 1) {
            FillRow(surface, y, box.left, box.right, pen);
            continue;
        }
        // The inside, then the two sides over its ends.
        Pixel* const row = surface.Row(y);
        FillPixels(row + clipped.left, clipped.right - clipped.left, brush);
        if (box.left >= clipped.left) row[box.left] = pen;
        if (box.right - 1 < clipped.right && box.right - 1 >= clipped.left) row[box.right - 1] = pen;
    }
    return clipped;
}

Box Ellipse(const Surface& surface, const WideBox& wide, Pixel pen, Pixel brush)
{
    const WideBox box = Normalised(wide);
    if (box.right == box.left || box.bottom == box.top) return {};
    const Box clipped = Clipped(surface, box.left, box.top, box.right, box.bottom);
    if (clipped.Empty()) return {};
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        const RowSpan row = EllipseRow(box, y);
        const RowSpan above = EllipseRow(box, y - 1);
        const RowSpan below = EllipseRow(box, Coordinate { y } + 1);
        // Inside pixels: those whose four neighbours are all covered.
        Coordinate innerLeft = row.left + 1;
        Coordinate innerRight = row.right - 1;
        if (above.none || below.none) {
            innerRight = innerLeft - 1;
        } else {
            innerLeft = std::max({ innerLeft, above.left, below.left });
            innerRight = std::min({ innerRight, above.right, below.right });
        }
        if (innerLeft > innerRight) {
            FillRow(surface, y, row.left, row.right + 1, pen);
            continue;
        }
        FillRow(surface, y, row.left, innerLeft, pen);
        FillRow(surface, y, innerLeft, innerRight + 1, brush);
        FillRow(surface, y, innerRight + 1, row.right + 1, pen);
    }
    return clipped;
}

Box CopyBlock(const Surface& target, Coordinate x, Coordinate y, const Surface& source, Coordinate sourceX,
    Coordinate sourceY, Coordinate width, Coordinate height)
{
    if (width <= 0 || height <= 0) return {};
    // Trim the block where either side leaves its surface.
    auto trim = [](Coordinate& to, Coordinate& from, Coordinate& size, int toLimit, int fromLimit) {
        const Coordinate before = std::max<Coordinate>({ 0, -to, -from });
        to += before;
        from += before;
        size -= before;
        size = std::min<Coordinate>({ size, toLimit - to, fromLimit - from });
    };
    trim(x, sourceX, width, target.width, source.width);
    trim(y, sourceY, height, target.height, source.height);
    if (width <= 0 || height <= 0) return {};
    const int rows = static_cast<int>(height);
    const size_t bytes = static_cast<size_t>(width) * sizeof(Pixel);
    // Top-down unless the block moves down within one buffer.
    const bool upward = target.pixels == source.pixels && y > sourceY;
    for (int k = 0; k < rows; ++k) {
        const int row = upward ? rows - 1 - k : k;
        std::memmove(
            target.Row(static_cast<int>(y) + row) + x, source.Row(static_cast<int>(sourceY) + row) + sourceX, bytes);
    }
    return Box { static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + width), static_cast<int>(y + height) };
}

} // namespace raster
