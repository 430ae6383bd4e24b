#pragma once

#include "base/Values.h"

class QFont;

// The fonts that the text statements and the text-measuring functions name by
// a family, a size in points and style bits. They start from the screen's
// font, so that a family that is not installed falls back the same way for
// drawing and measuring.
namespace TextFont {

// Style bits.
constexpr int Bold = 1;
constexpr int Italic = 2;
constexpr int Underline = 4;

// Sets the family unless the name is empty, the pixel height for a size above
// 0, and exactly the style bits given.
void Apply(QFont& font, const AnsiString& name, int size, int style);

// The width in pixels that the canvas's text painting gives the text in the
// screen's font changed as Apply changes it, measured on a temporary canvas.
// -1 when no font system is there to ask (no graphical application).
int MeasureWidth(const AnsiString& text, const AnsiString& name, int size, int style);

} // namespace TextFont
