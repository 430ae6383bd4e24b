#pragma once

#include "pictures/Picture.h"

#include <cstdint>

// The pixel filters and geometric transforms of the picture statements, on
// plain pictures. Channel arithmetic is integer as the statements define it;
// every result channel stays within 0..255.

// Mean (r + g + b) / 3 below the threshold: black, else white.
void ToBlackWhite(Picture& picture, int threshold);
// A pixel equal to its four neighbours becomes the background, every other
// (and every border pixel) the edge colour; threshold > 0 first reduces the
// picture to black and white.
Picture FindEdges(Picture picture, int threshold, bool invert);
// gray = trunc(r wr + g wg + b wb), limited to 0..255.
void ToGray(Picture& picture, double wr, double wg, double wb);
// Each channel times (1 + f), f limited to -1..1, at most 255.
void ScaleChannels(Picture& picture, double fr, double fg, double fb);
// Stretches channel values away from (or toward) the pivot.
void ChangeContrast(Picture& picture, double contrast, double pivot);
void Negative(Picture& picture);
// Pixels within tolerance x the largest colour distance of `from` become `to`.
void ReplaceColor(Picture& picture, uint32_t from, uint32_t to, double tolerance);
// Black where the two pictures agree within tolerance, white where they differ
// or b has no pixel; of a's size.
Picture ComparePictures(Picture a, const Picture& b, double tolerance);

// The largest colour distance, sqrt(3 x 255²).
constexpr double LargestColorDistance = 441.672955930063722;
double ColorDistance(uint32_t a, uint32_t b);

// Part of a picture (the rectangle must lie inside it).
Picture Crop(const Picture& picture, int x, int y, int width, int height);
void FlipRows(Picture& picture);
void MirrorColumns(Picture& picture);
// Nearest-neighbour stretch with centre sampling, never smoothed.
Picture Stretch(const Picture& picture, int width, int height);
// The top-left partWidth x partHeight of that stretch, without making the rest.
Picture StretchPart(const Picture& picture, int width, int height, int partWidth, int partHeight);
// The rotation of the picture statements: `result` (already of the source's
// size) is flood-filled from its top-left corner with `background`, the fill
// stopping only at pixels of 0x008000; then every source pixel is mapped
// forward by the angle in degrees (positive turns counter-clockwise).
void RotateInto(const Picture& source, Picture& result, double degrees, uint32_t background);
