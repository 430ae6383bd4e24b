#pragma once

#include "canvas/raster/Raster.h"

#include <string>
#include <vector>

// The compact path language of drawshape. Each character moves the point by
// one step: u up, d down, l left, r right, q up-left, w up-right, a down-left,
// s down-right, in either case. A lower-case move draws a line to the new
// point; an upper-case move, "-" and every other character only move the pen
// there (characters that are no move leave the point where it is). A run of
// decimal digits before a character sets the colour (0..15 a palette entry);
// "-" with no digits before it returns to the path's start colour.
namespace raster {

struct PathAction {
    enum class Kind { SetColor, StartColor, MoveTo, LineTo };
    Kind kind;
    int color = 0; // SetColor: the number as written, saturated at the int range
    Coordinate x = 0; // MoveTo, LineTo: the new point
    Coordinate y = 0;
    bool operator==(const PathAction&) const = default;
};

// The actions of a path text that starts at (x, y) with the given step.
std::vector<PathAction> ReadPath(const std::string& text, Coordinate x, Coordinate y, Coordinate step);

} // namespace raster
