#pragma once

#include "canvas/Canvas.h"
#include "canvas/raster/Raster.h"

#include <QPen>
#include <QRect>

class TScreenForm;

// What the drawing services share: the canvas seen as a raster surface, the
// width-1 or wide pen, and the scope in which a shape's own colours and width
// hold.
namespace drawing {

raster::Surface SurfaceOf(Canvas& canvas);
raster::Pixel PixelOf(int windowsColor);
QRect ToQRect(const raster::Box& box);

// Wide pens are drawn by the painter; the width is capped so that a huge
// value costs no more than one that already covers the image.
constexpr int MaxPenWidth = 4096;
int DrawingWidth(const Canvas& canvas);
QPen WidePen(const Canvas& canvas);

// Coordinates handed to the painter stay within this distance of the image,
// far enough that nothing visible changes and the painter's own arithmetic
// cannot overflow.
constexpr double PainterReach = 1 << 22;
double ForPainter(double coordinate);

// A line from (x1, y1) to (x2, y2) in the canvas pen: width 1 by the
// rasteriser (the last pixel left out), wider by the painter.
void Segment(
    Canvas& canvas, raster::Coordinate x1, raster::Coordinate y1, raster::Coordinate x2, raster::Coordinate y2);

// Sets a shape's colours by the SetColors rules and a width above 0 for the
// shape; restores pen, font and brush colours and the width when it ends.
class ShapeScope {
public:
    ShapeScope(TScreenForm& form, int fore, int back, int width = 0);
    ~ShapeScope();
    ShapeScope(const ShapeScope&) = delete;
    ShapeScope& operator=(const ShapeScope&) = delete;

private:
    Canvas& canvas;
    int penColor;
    int fontColor;
    int brushColor;
    int penWidth;
};

// The int nearest to a 64-bit coordinate, for the pen position.
int Saturated(raster::Coordinate value);

} // namespace drawing
