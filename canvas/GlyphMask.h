#pragma once

#include <QPoint>
#include <QRect>
#include <QRgb>

#include <vector>

class QRawFont;

// The pixels that one glyph of a font drawn without antialiasing sets, found
// once by letting a painter draw it, so that text made of such glyphs can be
// put on an image without a painter. At a whole-pixel position the painter
// sets exactly these pixels to the pen colour, wherever the glyph stands.
struct GlyphMask {
    // False when the drawn glyph was not plain pen-on-background (partly
    // covered pixels) or reached the edge of the scratch image: such a glyph
    // must be left to the painter.
    bool usable = false;
    // Offsets of the set pixels from the glyph's origin on the baseline.
    std::vector<QPoint> pixels;
    // The smallest rectangle holding every offset; empty for a blank glyph.
    QRect bounds;
    // The offsets as distances in pixels for rows of `rowPixels` pixels,
    // made for the last row length drawn on: the console draws every line
    // on the same image.
    mutable std::vector<qsizetype> flatOffsets;
    mutable qsizetype rowPixels = 0;
};

// Draws `glyph` of `font` as the canvas draws text (no antialiasing) and
// records the pixels it sets. `reach` is the largest distance a glyph may
// extend from its origin (a line height is plenty).
GlyphMask MakeGlyphMask(const QRawFont& font, quint32 glyph, int reach);

// Sets the mask's pixels to `colour` with the glyph's origin at (x, y) on the
// RGB32 pixels at bits, rows stride bytes apart. The caller has made sure that
// every pixel lies on the image.
void PutGlyph(uchar* bits, qsizetype stride, const GlyphMask& mask, int x, int y, QRgb colour);
