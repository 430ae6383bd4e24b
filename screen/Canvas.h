#pragma once

#include "interpreter/Values.h"

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QRect>

#include <functional>

class QFontMetrics;
class QPainter;

// One drawing surface of the run-time screen: an RGB32 image with its own pen,
// brush, font and pen position, as the visible image and the off-screen page
// each have. Colours are Windows colour values (red in the low byte); palette
// indexes are resolved by the caller. Drawing is never antialiased.
class Canvas {
public:
    explicit Canvas(QSize size);

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
    int PlainTextWidth(const AnsiString& text, const QString& shown, const QFontMetrics& metrics);
    QFont measuredFont; // the font fixedAdvance was measured for
    int fixedAdvance = 0; // its character advance when fixed-pitch, else 0
};
