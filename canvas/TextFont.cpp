#include "canvas/TextFont.h"

#include "canvas/Canvas.h"
#include "canvas/ScreenFontSize.h"
#include "platform/AnsiText.h"
#include "platform/Application.h"

#include <QFont>
#include <QGuiApplication>

namespace TextFont {

void Apply(QFont& font, const AnsiString& name, int size, int style)
{
    if (!name.empty()) font.setFamily(platform::toQString(name));
    if (size > 0) font.setPixelSize(FontPixelHeight(size));
    font.setBold((style & Bold) != 0);
    font.setItalic((style & Italic) != 0);
    font.setUnderline((style & Underline) != 0);
}

int MeasureWidth(const AnsiString& text, const AnsiString& name, int size, int style)
{
    // A headless run makes its application only when something needs it;
    // fonts do.
    platform::RequireApplication();
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return -1;
    // The smallest image: only the canvas's font and its measuring are used.
    Canvas canvas(QSize(1, 1));
    Apply(canvas.font, name, size, style);
    return canvas.TextWidth(text);
}

} // namespace TextFont
