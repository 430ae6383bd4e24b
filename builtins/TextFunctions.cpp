#include "builtins/FunctionFamilies.h"
#include "interpreter/NumberText.h"
#include "support/FloatText.h"
#include "support/FormatPattern.h"
#include "support/TextAlgorithms.h"

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
    { FunctionCode::Isnumber, FirstArgument::Any, IsNumber },
    { FunctionCode::Hex, FirstArgument::Number, Hex },
    { FunctionCode::Bin, FirstArgument::Number, Bin },
    { FunctionCode::Spell, FirstArgument::Number, [](FunctionCall& c) { c.ReturnText(SpellNumber(c.FirstNumber())); } },
    { FunctionCode::Isstring, FirstArgument::Any, [](FunctionCall& c) { c.ReturnInt(c.FirstIsText() ? 1 : 0); } },
    { FunctionCode::Hextoint, FirstArgument::Any, HexToInt },
    { FunctionCode::Bintoint, FirstArgument::Any, BinToInt },
    { FunctionCode::Tonumber, FirstArgument::Any, ToNumber },
    { FunctionCode::Tostring, FirstArgument::Any, ToString },
    { FunctionCode::Ascii, FirstArgument::Text, Ascii },
    { FunctionCode::Char, FirstArgument::Number, [](FunctionCall& c) { c.ReturnText(OneCharacter(c.FirstInt())); } },
    { FunctionCode::Length, FirstArgument::Text,
        [](FunctionCall& c) { c.ReturnInt(static_cast<double>(S(c).size())); } },
    { FunctionCode::Trim, FirstArgument::Text, [](FunctionCall& c) { c.ReturnText(Trim(S(c))); } },
    { FunctionCode::Lefttrim, FirstArgument::Text, [](FunctionCall& c) { c.ReturnText(TrimLeft(S(c))); } },
    { FunctionCode::Righttrim, FirstArgument::Text, [](FunctionCall& c) { c.ReturnText(TrimRight(S(c))); } },
    { FunctionCode::Nospaces, FirstArgument::Text, [](FunctionCall& c) { c.ReturnText(RemoveBlanksAndTabs(S(c))); } },
    { FunctionCode::Left, FirstArgument::Text, Left },
    { FunctionCode::Right, FirstArgument::Text, Right },
    { FunctionCode::Upper, FirstArgument::Text, [](FunctionCall& c) { c.ReturnText(UpperCase(S(c))); } },
    { FunctionCode::Lower, FirstArgument::Text, [](FunctionCall& c) { c.ReturnText(LowerCase(S(c))); } },
    { FunctionCode::Instring, FirstArgument::Text, InString },
    { FunctionCode::Spaces, FirstArgument::Number, [](FunctionCall& c) { c.ReturnText(Spaces(c.FirstInt())); } },
    { FunctionCode::Srepeat, FirstArgument::Text, Repeat },
    { FunctionCode::Soundex, FirstArgument::Text, Soundex },
    { FunctionCode::Center, FirstArgument::Text, [](FunctionCall& c) { JustifyCall(c, Justify::Center); } },
    { FunctionCode::Justifyl, FirstArgument::Text, [](FunctionCall& c) { JustifyCall(c, Justify::Left); } },
    { FunctionCode::Justifyr, FirstArgument::Text, [](FunctionCall& c) { JustifyCall(c, Justify::Right); } },
    { FunctionCode::Totime, FirstArgument::Number, [](FunctionCall& c) { c.ReturnText(ClockText(c.FirstInt())); } },
    { FunctionCode::Format, FirstArgument::Number, Format },
    { FunctionCode::Extract, FirstArgument::Text, Extract },
    { FunctionCode::Numparts, FirstArgument::Text, NumParts },
    { FunctionCode::Insert, FirstArgument::Text, Insert },
    { FunctionCode::Replace, FirstArgument::Text, Replace },
    { FunctionCode::Proper, FirstArgument::Text, [](FunctionCall& c) { c.ReturnText(ProperCase(S(c))); } },
    { FunctionCode::Substitute, FirstArgument::Text, SubstituteCall },
    { FunctionCode::Encrypt, FirstArgument::Text, Encrypt },
    { FunctionCode::Contains, FirstArgument::Text, Contains },
    { FunctionCode::Notcontains, FirstArgument::Text, NotContains },
    { FunctionCode::Tobyte, FirstArgument::Any, ToByte },
    { FunctionCode::Rotshape, FirstArgument::Text, RotShape },
    { FunctionCode::Crlf, FirstArgument::None, [](FunctionCall& c) { c.ReturnText("\r\n"); } },
    { FunctionCode::Tocommatext, FirstArgument::Text, [](FunctionCall& c) { c.ReturnText(CommaText(S(c))); } },
};

// The direct forms of the commonest cutting, case and search functions. A
// number argument becomes an integer as FunctionCall::ToInt makes it; beyond
// the 64-bit range, where that raises, the direct form declines.
bool DirectInt(const DirectArgument& argument, int32_t& n)
{
    constexpr double TwoTo63 = 9223372036854775808.0;
    const double x = argument.number;
    if (argument.text || !(x < TwoTo63 && x > -TwoTo63)) return false;
    n = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(x))));
    return true;
}

bool DirectLength(const AnsiString& s, const DirectArgument*, int count, Value& result)
{
    if (count != 0) return false;
    result.setInt(Expression_Class::ClampToInt(static_cast<double>(s.size())));
    return true;
}

bool DirectUpper(const AnsiString& s, const DirectArgument*, int count, Value& result)
{
    if (count != 0) return false;
    result.tag = Tag::String;
    UpperCaseInto(s, result.s);
    return true;
}

bool DirectLower(const AnsiString& s, const DirectArgument*, int count, Value& result)
{
    if (count != 0) return false;
    result.tag = Tag::String;
    LowerCaseInto(s, result.s);
    return true;
}

bool DirectLeft(const AnsiString& s, const DirectArgument* more, int count, Value& result)
{
    int32_t n;
    if (count != 1 || !DirectInt(more[0], n)) return false;
    result.tag = Tag::String;
    result.s.assign(s, 0, static_cast<std::size_t>(std::max(n, 0)));
    return true;
}

bool DirectRight(const AnsiString& s, const DirectArgument* more, int count, Value& result)
{
    int32_t n;
    if (count != 1 || !DirectInt(more[0], n)) return false;
    result.setString(RightPart(s, n));
    return true;
}

bool DirectInString(const AnsiString& s, const DirectArgument* more, int count, Value& result)
{
    int32_t start = 0;
    if (count < 1 || count > 2 || !more[0].text || (count == 2 && !DirectInt(more[1], start))) return false;
    result.setInt(FindText(s, *more[0].text, start));
    return true;
}

constexpr DirectTextFunctionEntry directEntries[] = {
    { Code(FunctionCode::Length), DirectLength, true },
    { Code(FunctionCode::Upper), DirectUpper, false },
    { Code(FunctionCode::Lower), DirectLower, false },
    { Code(FunctionCode::Left), DirectLeft, false },
    { Code(FunctionCode::Right), DirectRight, false },
    { Code(FunctionCode::Instring), DirectInString, true },
};

// The functions whose handlers read their first text only through
// FirstText, change nothing but their result, and keep nothing of the text:
// a compiled call may hand them a variable's text in place of a copy.
constexpr FunctionCode inPlaceReaders[] = { FunctionCode::Length, FunctionCode::Trim, FunctionCode::Lefttrim,
    FunctionCode::Righttrim, FunctionCode::Left, FunctionCode::Right, FunctionCode::Upper, FunctionCode::Lower,
    FunctionCode::Instring, FunctionCode::Extract, FunctionCode::Numparts, FunctionCode::Contains,
    FunctionCode::Notcontains, FunctionCode::Ascii, FunctionCode::Proper };

} // namespace

std::span<const FunctionEntry> TextFunctionEntries()
{
    return entries;
}

std::span<const FunctionCode> TextInPlaceReaders()
{
    return inPlaceReaders;
}

std::span<const DirectTextFunctionEntry> TextDirectEntries()
{
    return directEntries;
}
