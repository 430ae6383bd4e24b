#include "builtins/FunctionFamilies.h"
#include "interpreter/RunScreen.h"
#include "pictures/Palette.h"
#include "platform/Dialogs.h"

#include <cmath>

// The colour functions. A colour value 0 to 15 is an entry of the screen's
// palette, any other value a colour with red in the low byte.

namespace {

constexpr int FirstNonPaletteColour = 16;

int Channel(int colour, int shift)
{
    return (colour >> shift) & 0xFF;
}

// An evaluator without a run (the debug window's watch list) has no screen:
// the standard palette stands in for it.
int PaletteColour(FunctionCall& call, int c)
{
    static const Palette standard;
    return (call.ex.screen ? call.Screen().Drawing().ScreenPalette() : standard).PaletteColor(c);
}

// rgb (r, g, b): a result below 16 is 0, so that it is never taken for a
// palette entry.
void Rgb(FunctionCall& call)
{
    const int r = call.FirstInt() & 0xFF;
    const int g = call.NextInt() & 0xFF;
    const int b = call.NextInt() & 0xFF;
    const int colour = r + 256 * g + 65536 * b;
    call.ReturnInt(colour < FirstNonPaletteColour ? 0 : colour);
}

void PromptColor(FunctionCall& call)
{
    call.ReturnInt(platform::dialogs().PromptColor(call.FirstInt()));
}

void ConsToClr(FunctionCall& call)
{
    call.ReturnInt(PaletteColour(call, call.FirstInt()));
}

void ChannelValue(FunctionCall& call)
{
    const int colour = PaletteColour(call, call.FirstInt());
    const int shift = call.code == Code(FunctionCode::Redvalue) ? 0
        : call.code == Code(FunctionCode::Greenvalue)           ? 8
                                                                : 16;
    call.ReturnInt(Channel(colour, shift));
}

// factorcolor (c, f): each channel times abs(f), truncated and cut to 255.
void FactorColor(FunctionCall& call)
{
    const int colour = PaletteColour(call, call.FirstInt());
    const double factor = std::fabs(call.NextNumber());
    int result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double scaled = std::trunc(Channel(colour, shift) * factor);
        const int channel = scaled > 255 ? 255 : static_cast<int>(scaled);
        result |= channel << shift;
    }
    call.ReturnInt(result);
}

void PixelClr(FunctionCall& call)
{
    const int x = call.FirstInt();
    const int y = call.NextInt();
    call.ReturnInt(call.ex.screen ? call.Screen().Drawing().GetPixelIndex(x, y) : -1);
}

constexpr FunctionEntry entries[] = {
    { FunctionCode::Rgb, FirstArgument::Number, Rgb },
    { FunctionCode::Promptcolor, FirstArgument::OptionalZero, PromptColor },
    { FunctionCode::Constoclr, FirstArgument::Number, ConsToClr },
    { FunctionCode::Redvalue, FirstArgument::Number, ChannelValue },
    { FunctionCode::Greenvalue, FirstArgument::Number, ChannelValue },
    { FunctionCode::Bluevalue, FirstArgument::Number, ChannelValue },
    { FunctionCode::Factorcolor, FirstArgument::Number, FactorColor },
    { FunctionCode::Pixelclr, FirstArgument::Number, PixelClr },
};

} // namespace

std::span<const FunctionEntry> ColourFunctionEntries()
{
    return entries;
}
