#pragma once

#include <cstddef>
#include <cstdint>

// A small rasteriser over a 32-bit pixel buffer. The robot's sensors compare
// exact pixel colours, so every primitive here writes whole pixels in one
// colour and never blends. The conventions:
// - a shape's box includes its left and top edges and excludes its right and
//   bottom edges;
// - a width-1 line covers its start pixel and omits its last one;
// - flood fills are 4-connected;
// - everything is clipped at the buffer's edges, whatever the coordinates.
// Coordinates come in as 64-bit values so that callers can add to 32-bit
// program values without overflow. Colours compare on their low 24 bits; the
// top byte of a pixel is kept as the caller writes it.
namespace raster {

using Pixel = std::uint32_t;
using Coordinate = std::int64_t;

// A view of pixels owned by someone else; stride counts pixels per row.
struct Surface {
    Pixel* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;

    Pixel* Row(int y) const { return pixels + y * stride; }
    bool Contains(Coordinate x, Coordinate y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// A box of pixels: left and top included, right and bottom excluded.
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool Empty() const { return right <= left || bottom <= top; }
    // The smallest box holding both; an empty box adds nothing.
    Box United(const Box& other) const;
    bool operator==(const Box&) const = default;
};

// The same with coordinates that may lie anywhere.
struct WideBox {
    Coordinate left = 0;
    Coordinate top = 0;
    Coordinate right = 0;
    Coordinate bottom = 0;
};

bool SameColor(Pixel a, Pixel b);

// Each operation returns the box of the pixels it may have changed, already
// clipped to the surface (empty when nothing changed).
Box PutPixel(const Surface& surface, Coordinate x, Coordinate y, Pixel value);
// False when (x, y) lies outside the surface.
bool PixelAt(const Surface& surface, Coordinate x, Coordinate y, Pixel& value);

// A width-1 line from (x1, y1) toward (x2, y2): the start pixel is drawn, the
// last one is not, so a line of length 0 draws nothing and joined lines meet
// without drawing a pixel twice.
Box Line(const Surface& surface, Coordinate x1, Coordinate y1, Coordinate x2, Coordinate y2, Pixel value);

// Fills the box (clipped) with value.
Box FillBox(const Surface& surface, const WideBox& box, Pixel value);
// A rectangle in the box: a width-1 outline in pen on its border, the inside
// filled with brush.
Box Rectangle(const Surface& surface, const WideBox& box, Pixel pen, Pixel brush);
// The ellipse inscribed in the box: the pixels whose centres lie inside it are
// covered; those of them with a 4-neighbour outside it form the width-1
// outline in pen, the others are filled with brush. It touches all four edges
// of the box and is symmetric about both of its axes.
Box Ellipse(const Surface& surface, const WideBox& box, Pixel pen, Pixel brush);

// Fills the 4-connected area of pixels of the target colour around (x, y) with
// fill. Nothing happens when (x, y) lies outside, when its pixel is not of the
// target colour, or when fill already is the target colour.
Box FloodFillSurface(const Surface& surface, Coordinate x, Coordinate y, Pixel fill, Pixel target);
// Fills the 4-connected area around (x, y) that is bounded by pixels of the
// border colour. Nothing happens when (x, y) lies outside or on the border.
Box FloodFillToBorder(const Surface& surface, Coordinate x, Coordinate y, Pixel fill, Pixel border);

// Copies the width x height block at (sourceX, sourceY) of source to
// (x, y) of target, clipped on both sides. The two may be the same surface.
Box CopyBlock(const Surface& target, Coordinate x, Coordinate y, const Surface& source, Coordinate sourceX,
    Coordinate sourceY, Coordinate width, Coordinate height);

} // namespace raster
