#include "builtins/FunctionFamilies.h"

// The regular-expression functions over the one expression and match result
// of the run.

#include "interpreter/RunState.h"

namespace {

// The optional second argument of re_Setup and re_search (default -1).
int32_t OptionalInt(FunctionCall& call)
{
    return call.HasMore() ? call.NextInt() : -1;
}

// re_start and re_end take an optional group number; a text is refused.
int32_t GroupNumber(FunctionCall& call)
{
    if (call.FirstIsText()) call.Raise(ErrorCode::FunctionNeedsNumber);
    return call.FirstInt();
}

void Setup(FunctionCall& call)
{
    const AnsiString& pattern = call.FirstText();
    const int32_t flags = OptionalInt(call);
    call.ReturnInt(re_Setup(call.State().regex, pattern, flags < 0 ? 0 : flags));
}

void Search(FunctionCall& call)
{
    const AnsiString& text = call.FirstText();
    const int32_t start = OptionalInt(call);
    call.ReturnInt(re_search(call.State().regex, text, start));
}

void Replace(FunctionCall& call)
{
    const Expression_Class& ex = call.ex;
    call.ReturnText(re_replace(call.State().regex, ex.argText[0], ex.argText[1], ex.argInt[2], ex.argInt[3]));
}

constexpr FunctionEntry entries[] = {
    { FunctionCode::ReSetup, FirstArgument::Text, Setup },
    { FunctionCode::ReMatch, FirstArgument::Text,
        [](FunctionCall& c) { c.ReturnInt(re_match(c.State().regex, c.FirstText())); } },
    { FunctionCode::ReSearch, FirstArgument::Text, Search },
    { FunctionCode::ReStart, FirstArgument::OptionalMinusOne,
        [](FunctionCall& c) { c.ReturnInt(re_start(c.State().regex, GroupNumber(c))); } },
    { FunctionCode::ReEnd, FirstArgument::OptionalMinusOne,
        [](FunctionCall& c) { c.ReturnInt(re_end(c.State().regex, GroupNumber(c))); } },
    { FunctionCode::ReGrpnumber, FirstArgument::Text,
        [](FunctionCall& c) { c.ReturnInt(re_grpnumber(c.State().regex, c.FirstText())); } },
    { FunctionCode::ReNumofgrps, FirstArgument::None,
        [](FunctionCall& c) { c.ReturnInt(re_numofgrps(c.State().regex)); } },
    { FunctionCode::ReReplace, FirstArgument::Signature, Replace },
};

} // namespace

std::span<const FunctionEntry> RegexFunctionEntries()
{
    return entries;
}
