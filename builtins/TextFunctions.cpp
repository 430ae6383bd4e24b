#include "builtins/FormatPattern.h"
#include "builtins/FunctionFamilies.h"
#include "builtins/TextAlgorithms.h"
#include "interpreter/FloatText.h"
#include "interpreter/NumberText.h"

// The text functions: measuring and converting, trimming and case, cutting,
// padding, searching, fields, codes and scrambling. Positions are 1-based.

namespace {

using namespace TextAlgorithms;

const AnsiString& S(FunctionCall& call)
{
    return call.FirstText();
}

AnsiString OneCharacter(int32_t code)
{
    return AnsiString(1, static_cast<char>(code & 0xFF));
}

void Ascii(FunctionCall& call)
{
    if (S(call).empty()) call.Raise(ErrorCode::NullStringNotAllowed);
    call.ReturnInt(static_cast<unsigned char>(S(call)[0]));
}

void ToByte(FunctionCall& call)
{
    if (!call.FirstIsText())
        call.ReturnText(OneCharacter(call.FirstInt()));
    else
        call.ReturnText(AnsiString(1, S(call).empty() ? '\0' : S(call)[0]));
}

void IsNumber(FunctionCall& call)
{
    const bool number = !call.FirstIsText() || Expression_Class::ClassifyNumberText(S(call)) != Tag::String;
    call.ReturnInt(number ? 1 : 0);
}

void HexToInt(FunctionCall& call)
{
    if (!call.FirstIsText()) {
        call.ReturnInt(call.FirstNumber());
        return;
    }
    int32_t value = 0;
    call.ReturnInt(numbertext::ParseInt(S(call), value) ? value : 0);
}

void BinToInt(FunctionCall& call)
{
    if (!call.FirstIsText())
        call.ReturnInt(call.FirstNumber());
    else
        call.ReturnInt(Expression_Class::ParseBinaryLiteral(S(call)));
}

void ToNumber(FunctionCall& call)
{
    const bool hasDefault = call.HasMore();
    Value fallback;
    if (hasDefault) {
        fallback = call.NextValue();
        if (fallback.tag == Tag::String) call.Raise(ErrorCode::FunctionNeedsNumber);
    }
    if (!call.FirstIsText()) {
        call.result = call.first;
        return;
    }
    double value = 0;
    switch (Expression_Class::TextToNumber(S(call), value)) {
    case Tag::Int:
        call.ReturnInt(value);
        return;
    case Tag::Float:
        call.ReturnFloat(value);
        return;
    default:
        if (hasDefault)
            call.result = fallback;
        else
            call.ReturnText(S(call));
        return;
    }
}

void ToString(FunctionCall& call)
{
    switch (call.first.tag) {
    case Tag::Int:
        call.ReturnText(IntToStr(call.first.i));
        return;
    case Tag::Float:
        call.ReturnText(FloatToStr(call.first.f));
        return;
    default:
        call.ReturnText(S(call));
        return;
    }
}

void Hex(FunctionCall& call)
{
    const int32_t n = call.FirstInt();
    const int32_t bytes = call.HasMore() ? call.NextInt() : 1;
    call.ReturnText(HexText(n, bytes));
}

void Bin(FunctionCall& call)
{
    const int32_t n = call.FirstInt();
    const int32_t digits = call.HasMore() ? call.NextInt() : 0;
    call.ReturnText(BinaryText(n, digits));
}

void Format(FunctionCall& call)
{
    const double x = call.FirstNumber();
    call.ReturnText(FormatPattern::FormatFunction(x, call.NextText()));
}

void Left(FunctionCall& call)
{
    const AnsiString& s = S(call);
    call.ReturnText(LeftPart(s, call.NextInt()));
}

void Right(FunctionCall& call)
{
    const AnsiString& s = S(call);
    call.ReturnText(RightPart(s, call.NextInt()));
}

void InString(FunctionCall& call)
{
    const AnsiString& s = S(call);
    const AnsiString sub = call.NextText();
    const int32_t start = call.HasMore() ? call.NextInt() : 0;
    call.ReturnInt(FindText(s, sub, start));
}

void Repeat(FunctionCall& call)
{
    const AnsiString& s = S(call);
    call.ReturnText(RepeatText(s, call.NextInt()));
}

void JustifyCall(FunctionCall& call, Justify how)
{
    const AnsiString& s = S(call);
    const AnsiString fill = call.NextText();
    const int32_t width = call.NextInt();
    call.ReturnText(JustifyText(s, fill, width, how));
}

void Extract(FunctionCall& call)
{
    const AnsiString& s = S(call);
    const AnsiString delimiter = call.NextText();
    call.ReturnText(ExtractField(s, delimiter, call.NextInt()));
}

void NumParts(FunctionCall& call)
{
    const AnsiString& s = S(call);
    call.ReturnInt(CountFields(s, call.NextText()));
}

void Insert(FunctionCall& call)
{
    const AnsiString& s = S(call);
    const AnsiString t = call.NextText();
    call.ReturnText(InsertText(s, t, call.NextInt()));
}

void Replace(FunctionCall& call)
{
    const AnsiString& s = S(call);
    const AnsiString t = call.NextText();
    call.ReturnText(OverwriteText(s, t, call.NextInt()));
}

void SubstituteCall(FunctionCall& call)
{
    const AnsiString& s = S(call);
    const AnsiString from = call.NextText();
    const AnsiString to = call.NextText();
    call.ReturnText(Substitute(s, from, to));
}

void Contains(FunctionCall& call)
{
    const AnsiString& s = S(call);
    call.ReturnText(ContainedChars(s, call.NextText()));
}

void NotContains(FunctionCall& call)
{
    const AnsiString& s = S(call);
    call.ReturnText(MissingChars(s, call.NextText()));
}

void RotShape(FunctionCall& call)
{
    const AnsiString& s = S(call);
    call.ReturnText(RotateShape(s, call.NextInt()));
}

void Encrypt(FunctionCall& call)
{
    const AnsiString& s = S(call);
    call.ReturnText(EncryptText(s, call.NextText()));
}

void Soundex(FunctionCall& call)
{
    const AnsiString& s = S(call);
    const int32_t length = call.HasMore() ? call.NextInt() : 4;
    call.ReturnText(SoundexCode(s, length));
}

constexpr FunctionEntry entries[] = {
    { 5036, FirstArgument::Any, IsNumber },
    { 5038, FirstArgument::Number, Hex },
    { 5039, FirstArgument::Number, Bin },
    { 5046, FirstArgument::Number, [](FunctionCall& c) { c.ReturnText(SpellNumber(c.FirstNumber())); } },
    { 5050, FirstArgument::Any, [](FunctionCall& c) { c.ReturnInt(c.FirstIsText() ? 1 : 0); } },
    { 5051, FirstArgument::Any, HexToInt },
    { 5052, FirstArgument::Any, BinToInt },
    { 5053, FirstArgument::Any, ToNumber },
    { 5054, FirstArgument::Any, ToString },
    { 5055, FirstArgument::Text, Ascii },
    { 5056, FirstArgument::Number, [](FunctionCall& c) { c.ReturnText(OneCharacter(c.FirstInt())); } },
    { 5057, FirstArgument::Text, [](FunctionCall& c) { c.ReturnInt(static_cast<double>(S(c).size())); } },
    { 5058, FirstArgument::Text, [](FunctionCall& c) { c.ReturnText(Trim(S(c))); } },
    { 5059, FirstArgument::Text, [](FunctionCall& c) { c.ReturnText(TrimLeft(S(c))); } },
    { 5060, FirstArgument::Text, [](FunctionCall& c) { c.ReturnText(TrimRight(S(c))); } },
    { 5061, FirstArgument::Text, [](FunctionCall& c) { c.ReturnText(RemoveBlanksAndTabs(S(c))); } },
    { 5063, FirstArgument::Text, Left },
    { 5064, FirstArgument::Text, Right },
    { 5065, FirstArgument::Text, [](FunctionCall& c) { c.ReturnText(UpperCase(S(c))); } },
    { 5066, FirstArgument::Text, [](FunctionCall& c) { c.ReturnText(LowerCase(S(c))); } },
    { 5067, FirstArgument::Text, InString },
    { 5068, FirstArgument::Number, [](FunctionCall& c) { c.ReturnText(Spaces(c.FirstInt())); } },
    { 5069, FirstArgument::Text, Repeat },
    { 5070, FirstArgument::Text, Soundex },
    { 5072, FirstArgument::Text, [](FunctionCall& c) { JustifyCall(c, Justify::Center); } },
    { 5073, FirstArgument::Text, [](FunctionCall& c) { JustifyCall(c, Justify::Left); } },
    { 5074, FirstArgument::Text, [](FunctionCall& c) { JustifyCall(c, Justify::Right); } },
    { 5078, FirstArgument::Number, [](FunctionCall& c) { c.ReturnText(ClockText(c.FirstInt())); } },
    { 5079, FirstArgument::Number, Format },
    { 5081, FirstArgument::Text, Extract },
    { 5082, FirstArgument::Text, NumParts },
    { 5083, FirstArgument::Text, Insert },
    { 5084, FirstArgument::Text, Replace },
    { 5094, FirstArgument::Text, [](FunctionCall& c) { c.ReturnText(ProperCase(S(c))); } },
    { 5101, FirstArgument::Text, SubstituteCall },
    { 5102, FirstArgument::Text, Encrypt },
    { 5103, FirstArgument::Text, Contains },
    { 5104, FirstArgument::Text, NotContains },
    { 5105, FirstArgument::Any, ToByte },
    { 5106, FirstArgument::Text, RotShape },
    { 5107, FirstArgument::None, [](FunctionCall& c) { c.ReturnText("\r\n"); } },
    { 5231, FirstArgument::Text, [](FunctionCall& c) { c.ReturnText(CommaText(S(c))); } },
};

} // namespace

std::span<const FunctionEntry> TextFunctionEntries()
{
    return entries;
}
