#include "builtins/FunctionFamilies.h"
#include "support/TextAlgorithms.h"

// The functions of this family whose arguments are read by signature into the
// argument slots: substring and the four keyword lists.

namespace {

void Substring(FunctionCall& call)
{
    const Expression_Class& ex = call.ex;
    call.ReturnText(TextAlgorithms::Substring(ex.argText[0], ex.argInt[1], ex.argInt[2]));
}

// commandslist, functionslist, statementslist and constantslist: kinds 0 to 3.
void KeywordList(FunctionCall& call)
{
    AnsiString text;
    Vocabulary::instance().KeywordList(call.code - Code(FunctionCode::Commandslist), text);
    call.ReturnText(std::move(text));
}

constexpr FunctionEntry entries[] = {
    { FunctionCode::Substring, FirstArgument::Signature, Substring },
    { FunctionCode::Commandslist, FirstArgument::Signature, KeywordList },
    { FunctionCode::Functionslist, FirstArgument::Signature, KeywordList },
    { FunctionCode::Statementslist, FirstArgument::Signature, KeywordList },
    { FunctionCode::Constantslist, FirstArgument::Signature, KeywordList },
};

} // namespace

std::span<const FunctionEntry> SignatureFunctionEntries()
{
    return entries;
}
