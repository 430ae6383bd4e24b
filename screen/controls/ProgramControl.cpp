#include "screen/controls/ProgramControl.h"

#include "pictures/Palette.h"
#include "platform/AnsiText.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <string>

namespace controls {

QColor ToQColor(int windowsColor)
{
    const auto c = static_cast<unsigned>(windowsColor);
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

int FromQColor(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

QFont ControlFont(FontHeight height)
{
    static const QString classic = QStringLiteral("MS Sans Serif");
    QFont font;
    if (QFontDatabase::hasFamily(classic)) {
        font.setFamily(classic);
    } else {
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPixelSize(static_cast<int>(height));
    return font;
}

// A font set by pixel height has no point size of its own; the screen counts
// 96 pixels to the inch, as the classic dialog font was designed for.
static int PointSize(const QFont& font)
{
    if (font.pointSize() > 0) return font.pointSize();
    return static_cast<int>(std::lround(font.pixelSize() * 72.0 / 96.0));
}

AnsiString FontText(const QWidget& widget, const Palette& palette)
{
    const QFont font = widget.font();
    const int style = (font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0);
    const int colour = palette.PaletteIndexOf(FromQColor(widget.palette().color(QPalette::Text)));
    return platform::fromQString(font.family()) + "\r\n" + std::to_string(PointSize(font)) + "\r\n"
        + std::to_string(style) + "\r\n" + std::to_string(colour);
}

void ChangeFont(QWidget& widget, const Palette& palette, const AnsiString& name, int size, int style, int colour)
{
    QFont font = widget.font();
    if (!name.empty()) font.setFamily(platform::toQString(name));
    if (colour >= 0) SetTextColour(widget, palette.PaletteColor(colour));
    // Capped as drawn text is: no font grows past 1000 points.
    if (size > 0) font.setPointSize(std::min(size, 1000));
    if (style >= 0) {
        font.setBold(style & 1);
        font.setItalic(style & 2);
        font.setUnderline(style & 4);
    }
    widget.setFont(font);
}

void SetBackColour(QWidget& widget, int windowsColor)
{
    QPalette colours = widget.palette();
    for (auto role : { QPalette::Window, QPalette::Base, QPalette::Button })
        colours.setColor(role, ToQColor(windowsColor));
    widget.setPalette(colours);
    widget.setAutoFillBackground(true);
}

int BackColour(const QWidget& widget, const Palette& palette)
{
    return palette.PaletteIndexOf(FromQColor(widget.palette().color(QPalette::Base)));
}

void SetTextColour(QWidget& widget, int windowsColor)
{
    QPalette colours = widget.palette();
    for (auto role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        colours.setColor(role, ToQColor(windowsColor));
    widget.setPalette(colours);
}

void PlaceControl(QWidget& widget, long long left, long long top, long long width, long long height)
{
    static constexpr long long reach = 32767;
    auto position = [](long long v) { return static_cast<int>(std::clamp(v, -reach, reach)); };
    auto size = [](long long v) { return static_cast<int>(std::clamp(v, 0LL, reach)); };
    widget.setGeometry(position(left), position(top), size(width), size(height));
}

void ReplaceDimensions(QWidget& widget, int left, int top, int width, int height)
{
    const QRect r = widget.geometry();
    PlaceControl(widget, left >= 0 ? left : r.x(), top >= 0 ? top : r.y(), width >= 0 ? width : r.width(),
        height >= 0 ? height : r.height());
}

int TextWidth(const QWidget& widget, const AnsiString& text)
{
    return QFontMetrics(widget.font()).horizontalAdvance(platform::toQString(text));
}

void SetHint(QWidget& widget, const AnsiString& hint)
{
    if (!hint.empty()) widget.setToolTip(platform::toQString(hint));
}

bool IsHidden(const QWidget& widget)
{
    return !widget.isVisibleTo(widget.parentWidget());
}

bool HasFocusWithin(const QWidget& widget)
{
    const QWidget* focused = QApplication::focusWidget();
    return focused && (focused == &widget || widget.isAncestorOf(focused));
}

} // namespace controls
