#pragma once

#include "ide/editor/PaintAttr.h"

#include <QFont>
#include <QPointF>
#include <QRawFont>
#include <QVector>

#include <array>
#include <bitset>

class QColor;
class QPainter;

// Draws Windows-1252 texts on a grid of equal cells a whole number of pixels
// wide: byte k of a text lands at x + k * cell width, whatever the font's own
// advance. Fonts advance by fractions of a pixel (11.39 at 14 points), while
// columns, the caret, the selection and the start of every coloured run are
// whole pixels; a run drawn at the font's advance drifts from its columns and
// spills its last glyph into the next run, whose background then cuts it.
class CellGlyphs {
public:
    // The font, resolved for the device it draws on, and the cell width.
    void SetFont(const QFont& font, int cellWidth);
    int CellWidth() const { return cellWidth; }
    // How far the ink of the highest and of the lowest glyph of every byte in
    // every face reaches above and below the baseline, in whole pixels.
    // Accented capitals reach above the font's ascent at many sizes.
    void InkExtent(int& above, int& below);
    // Draws count bytes with their baseline at y; only bold and italic choose
    // the face, underline and strike-out are drawn over it.
    void Draw(QPainter& p, int x, int baseline, const char* bytes, int count, TFontStyles style, const QColor& colour);

private:
    struct Face {
        bool ready = false;
        QFont font;
        QRawFont raw;
        // The font's glyph of every byte; a missing one (or a face the font
        // only imitates, such as a bold made by thickening) is drawn as text
        // in its own cell, so that the font's fallback still finds a glyph.
        std::array<quint32, 256> glyphs {};
        std::bitset<256> asText;
        // Where a glyph starts inside its cell: the cell's spare pixels split
        // evenly on both sides.
        int offset = 0;
    };
    Face& FaceFor(TFontStyles style);

    QFont base;
    int cellWidth = 1;
    std::array<Face, 4> faces;
    QVector<quint32> glyphRun;
    QVector<QPointF> positions;
};
