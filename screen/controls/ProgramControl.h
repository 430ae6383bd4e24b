#pragma once

#include "base/Values.h"
#include "interpreter/ControlProperty.h"

class Palette;
class QColor;
class QFont;
class QWidget;

// What the screen asks of a run-time control beyond removing and focusing it:
// the family's own text operations, properties and texts, by name. A property
// the family does not serve does nothing (getters give 0 or "").
class ProgramControl {
public:
    virtual ~ProgramControl() = default;
    virtual void Action(ControlProperty action, const AnsiString& text) { (void)action, (void)text; }
    virtual void SetProperty(ControlProperty property, int value) = 0;
    virtual int Property(ControlProperty property) const = 0;
    virtual AnsiString Text(ControlProperty property, int n) const
    {
        (void)property, (void)n;
        return {};
    }
    // The family's dimension statement: each value that is not negative
    // replaces that one, as far as the family lets the program change it.
    virtual void SetDimensions(int left, int top, int width, int height)
    {
        (void)left, (void)top, (void)width, (void)height;
    }
};

// What a new control takes from the screen: the widget it goes on, the
// screen's palette, and the drawing canvas's colours at the time (Windows
// values), which some families take as their own.
struct ControlSurface {
    QWidget* parent;
    const Palette& palette;
    int brushColour;
    int penColour;
    int fontColour;
};

// The look the controls share.
namespace controls {

// Windows colour values (red in the low byte) to and from Qt colours.
QColor ToQColor(int windowsColor);
int FromQColor(const QColor& color);

// The screen's font at the given pixel height: the classic dialog face when it
// is installed, else the system's sans face at the same height.
enum class FontHeight { Form = 13, Template = 15 };
QFont ControlFont(FontHeight height);

// Font name, point size, style bits (1 bold, 2 italic, 4 underline) and the
// font colour, joined by CR LF; the colour a palette index where one matches.
AnsiString FontText(const QWidget& widget, const Palette& palette);
// Changes the font the way the font statements do: the name when not empty,
// the colour when not negative, the size when above 0, the style bits when not
// negative.
void ChangeFont(QWidget& widget, const Palette& palette, const AnsiString& name, int size, int style, int colour);

// The background and text colours (Windows values).
void SetBackColour(QWidget& widget, int windowsColor);
int BackColour(const QWidget& widget, const Palette& palette);
void SetTextColour(QWidget& widget, int windowsColor);

// A control's place, positions and sizes capped as drawing caps them, so that
// no widget grows past what a window can hold.
void PlaceControl(QWidget& widget, long long left, long long top, long long width, long long height);

// The width of a text in the widget's font, in pixels.
int TextWidth(const QWidget& widget, const AnsiString& text);
// A hint that is not empty becomes the widget's tool tip.
void SetHint(QWidget& widget, const AnsiString& hint);

// Replaces each of the widget's dimensions whose value is not negative.
void ReplaceDimensions(QWidget& widget, int left, int top, int width, int height);

// The common integer properties.
bool IsHidden(const QWidget& widget);
bool HasFocusWithin(const QWidget& widget);

} // namespace controls
