#include "builtins/FunctionFamilies.h"
#include "canvas/ScreenFontSize.h"
#include "interpreter/ImageParts.h"
#include "support/LibraryFailure.h"

#include <cmath>

// textwidth and textheight: the room a text takes in a font named as the text
// statements name theirs, so that a program can place text before drawing it.

namespace {

// The font of a call: an empty name is "Courier New", a size below 1 is 11
// points and a negative style is plain.
struct FontArguments {
    AnsiString name;
    int size;
    int style;
};

FontArguments FontOf(const Expression_Class& ex)
{
    return { ex.argText[1].empty() ? AnsiString("Courier New") : ex.argText[1], ex.argInt[2] < 1 ? 11 : ex.argInt[2],
        ex.argInt[3] < 0 ? 0 : ex.argInt[3] };
}

// The font's height with two pixels of leading, and a tenth more for the
// line gap: arithmetic on the size alone, whatever the face.
void TextHeight(FunctionCall& call)
{
    const FontArguments font = FontOf(call.ex);
    call.ReturnInt(std::trunc(1.1 * (FontPixelHeight(font.size) + 2)));
}

void TextWidth(FunctionCall& call)
{
    const AnsiString& text = call.ex.argText[0];
    // Nothing to measure: no font system is needed for it either.
    if (text.empty()) return call.ReturnInt(0);
    const FontArguments font = FontOf(call.ex);
    const int width = Images().textWidth(text, font.name, font.size, font.style);
    if (width < 0) throw LibraryFailure { "No fonts to measure with" };
    call.ReturnInt(width);
}

constexpr FunctionEntry entries[] = {
    { FunctionCode::Textheight, FirstArgument::Signature, TextHeight },
    { FunctionCode::Textwidth, FirstArgument::Signature, TextWidth },
};

} // namespace

std::span<const FunctionEntry> TextMetricFunctionEntries()
{
    return entries;
}
