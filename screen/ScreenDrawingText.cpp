#include "platform/AnsiText.h"
#include "platform/Colors.h"
#include "screen/ScreenForm.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

// Text placed at a pixel position, with the canvas font or a font of its own.
// Glyphs are the painter's, drawn without antialiasing from the top-left of
// their cell; the pen position moves to the end of the text.

namespace {

// Style bits of the text statements.
constexpr int BoldBit = 1;
constexpr int ItalicBit = 2;
constexpr int UnderlineBit = 4;

// Text far outside the image is never seen; keeping positions near it keeps
// the pen position arithmetic clear of overflow.
constexpr int TextReach = 1 << 24;
// Font sizes are in points at 96 dots per inch; the pixel height is capped.
constexpr int MaxFontPixels = 2048;

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

void ApplyFont(Canvas& canvas, const AnsiString& name, int size, int style)
{
    if (!name.empty()) canvas.font.setFamily(platform::toQString(name));
    if (size > 0)
        canvas.font.setPixelSize(static_cast<int>(std::min<long long>((size * 96LL + 36) / 72, MaxFontPixels)));
    canvas.font.setBold((style & BoldBit) != 0);
    canvas.font.setItalic((style & ItalicBit) != 0);
    canvas.font.setUnderline((style & UnderlineBit) != 0);
}

// Paints the text in the font colour without touching the background.
void TextOutTransparent(Canvas& canvas, int x, int y, const AnsiString& text)
{
    const QString shown = platform::toQString(text);
    const QFontMetrics metrics(canvas.font);
    const int width = metrics.horizontalAdvance(shown);
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
    ApplyFont(*canvas, fontName, size, style);
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
    ApplyFont(*canvas, fontName, size, style);
    if (fore >= 0) canvas->fontColor = PaletteColor(fore);
    TextOutTransparent(*canvas, NearImage(x), NearImage(y), text);
}
