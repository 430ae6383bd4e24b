#pragma once

#include "base/Values.h"
#include "canvas/GlyphMask.h"
#include "canvas/ImageMemory.h"

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QRawFont>
#include <QRect>

#include <functional>

class QPainter;

// One drawing surface of the run-time screen: an RGB32 image with its own pen,
// brush, font and pen position, as the visible image and the off-screen page
// each have. Colours are Windows colour values (red in the low byte); palette
// indexes are resolved by the caller. Drawing is never antialiased.
class Canvas {
public:
    // A surface that is sure to be drawn on owns its pixels from the start;
    // one that may never be shares a blank image until it is (ImageMemory.h).
    enum class Pixels { Shared, Own };
    explicit Canvas(QSize size, Pixels pixels = Pixels::Shared);

    QImage image;
    int penColor = 0x000000;
    int penWidth = 1;
    int brushColor = 0xFFFFFF;
    int fontColor = 0x000000;
    QFont font;
    QPoint penPos;

    // Called with the rectangle of every change, so that a view repaints only that.
    std::function<void(const QRect&)> onChanged;

    // Gives the image a new size; the new image is filled with the brush colour.
    void Resize(QSize size);
    void Fill(int color);

    // Paints text at (x, y) in the canvas font and font colour on the brush
    // colour, and moves the pen position to the end of the text.
    void TextOut(int x, int y, const AnsiString& text);
    // The width TextOut gives the text in the current font.
    int TextWidth(const AnsiString& text) const;
    int TextHeight(const AnsiString& text) const;

    // The pen and brush that shapes are drawn with.
    QPen Pen() const;
    QBrush Brush() const;

    // Runs draw with a painter on the image, set up without antialiasing; draw
    // returns the rectangle it changed, which is reported through onChanged.
    void Draw(const std::function<QRect(QPainter&)>& draw);

    // Reports a change made to the image directly.
    void Changed(const QRect& rect);

private:
    // A new image of the given size filled with one colour, owned or shared
    // as the surface's pixels are.
    QImage Blank(QSize size, int color) const;

    Pixels pixels;
    static constexpr int firstPlain = 32;
    static constexpr int lastPlain = 126;
    // What TextOut needs of the current font, measured again when it changes.
    struct TextCache {
        bool valid = false;
        QFont font;
        int ascent = 0;
        int height = 0;
        int fixedAdvance = 0; // the advance of a fixed-pitch font, else 0
        QRawFont rawFont;
        quint32 glyphs[lastPlain - firstPlain + 1] = {};
        // The pixels of each printable character's glyph, made when first met.
        bool masksMade[lastPlain - firstPlain + 1] = {};
        GlyphMask masks[lastPlain - firstPlain + 1];
    };
    void MeasureFont() const;
    // True when the text can take the fixed-pitch fast path.
    bool IsPlain(const AnsiString& text) const;
    // The width of a text that takes the fast path.
    int PlainWidth(const AnsiString& text) const;
    const GlyphMask& MaskOf(char c);
    // Puts plain text on the image pixel by pixel, as the painter would; false
    // (and nothing changed) when some pixel would fall off the image or a
    // glyph is not plain, which the painter must then handle.
    bool PutPlainText(const QRect& box, int baseline, const AnsiString& text);

    // After a fill the whole image has one colour except where the canvas
    // itself has put text since; clearing again then only needs that part.
    // The knowledge holds while the image's cache key is the one recorded.
    struct Uniform {
        bool known = false;
        QRgb pixel = 0;
        QRect changed;
        qint64 imageKey = 0;
    };
    bool UniformAreaKnown();
    Uniform uniform;
    // Measuring fills it as drawing does.
    mutable TextCache textCache;
};
