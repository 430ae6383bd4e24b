#include "canvas/TextFont.h"
#include "platform/AnsiText.h"
#include "platform/gui/Colors.h"
#include "screen/ScreenForm.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

// Text placed at a pixel position, with the canvas font or a font of its own.
// Glyphs are the painter's, drawn without antialiasing from the top-left of
// their cell; the pen position moves to the end of the text.

namespace {

// Text far outside the image is never seen; keeping positions near it keeps
// the pen position arithmetic clear of overflow.
constexpr int TextReach = 1 << 24;

int NearImage(int coordinate)
{
    return std::clamp(coordinate, -TextReach, TextReach);
}

// The canvas's font, colours and brush, put back when the text is painted.
class TextScope {
public:
    explicit TextScope(Canvas& target)
        : canvas(target)
        , font(target.font)
        , fontColor(target.fontColor)
        , brushColor(target.brushColor)
    { }
    ~TextScope()
    {
        canvas.font = font;
        canvas.fontColor = fontColor;
        canvas.brushColor = brushColor;
    }
    TextScope(const TextScope&) = delete;
    TextScope& operator=(const TextScope&) = delete;

private:
    Canvas& canvas;
    QFont font;
    int fontColor;
    int brushColor;
};

// Paints the text in the font colour without touching the background.
void TextOutTransparent(Canvas& canvas, int x, int y, const AnsiString& text)
{
    const QString shown = platform::toQString(text);
    const QFontMetrics metrics(canvas.font);
    const int width = canvas.TextWidth(text);
    canvas.Draw([&](QPainter& painter) {
        painter.setFont(canvas.font);
        painter.setPen(platform::toQColor(canvas.fontColor));
        painter.drawText(x, y + metrics.ascent(), shown);
        // Italic and overhanging glyphs may pass the advance a little.
        const int slack = metrics.height();
        return QRect(x - slack, y, width + 2 * slack, metrics.height());
    });
    canvas.penPos = QPoint(x + width, y);
}

} // namespace

void TScreenForm::TextAt(int x, int y, const AnsiString& text)
{
    if (x == -1) x = canvas->penPos.x();
    if (y == -1) y = canvas->penPos.y();
    canvas->TextOut(NearImage(x), NearImage(y), text);
}

void TScreenForm::TextAtWithFont(
    int x, int y, const AnsiString& text, const AnsiString& fontName, int size, int style, int fore, int back)
{
    if (x == -1) x = canvas->penPos.x();
    if (y == -1) y = canvas->penPos.y();
    TextScope scope(*canvas);
    TextFont::Apply(canvas->font, fontName, size, style);
    if (fore >= 0) canvas->fontColor = PaletteColor(fore);
    if (back >= 0) canvas->brushColor = PaletteColor(back);
    canvas->TextOut(NearImage(x), NearImage(y), text);
}

void TScreenForm::OverlayText(
    int x, int y, const AnsiString& text, const AnsiString& fontName, int size, int style, int fore)
{
    if (x == -1) x = canvas->penPos.x();
    if (y == -1) y = canvas->penPos.y();
    TextScope scope(*canvas);
    TextFont::Apply(canvas->font, fontName, size, style);
    if (fore >= 0) canvas->fontColor = PaletteColor(fore);
    TextOutTransparent(*canvas, NearImage(x), NearImage(y), text);
}
