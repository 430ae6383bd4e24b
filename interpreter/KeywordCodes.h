#pragma once

// Every statement word and built-in function by name; the value is the code
// the tokenizer gives the word. The vocabulary rows are the one place a code
// is written down: families, the tokenizer and the run loop use these names.
enum class StatementCode : int {
#define STATEMENT(name, word, code) name = code,
#define STATEMENT_ALIAS(name, word)
#include "interpreter/vocabulary/statements.inc"
#undef STATEMENT_ALIAS
#undef STATEMENT
};

enum class FunctionCode : int {
#define FUNCTION(name, word, code, minArgs, maxArgs, defaultArg, signature, group) name = code,
#define FUNCTION_ALIAS(name, word, minArgs, maxArgs, defaultArg, signature, group)
#include "interpreter/vocabulary/functions.inc"
#undef FUNCTION_ALIAS
#undef FUNCTION
};

// The token code of a named word, for the places that compare token codes.
constexpr int Code(StatementCode code)
{
    return static_cast<int>(code);
}

constexpr int Code(FunctionCode code)
{
    return static_cast<int>(code);
}
