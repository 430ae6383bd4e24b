#include "interpreter/ControlPropertyTable.h"

// The control rows checked against the vocabulary when they are compiled:
// every control statement and control function word has exactly one row, and
// each row's kind agrees with the words it names.

namespace {

struct FunctionWord {
    FunctionCode code;
    int minArgs;
    int maxArgs;
};

constexpr StatementCode statementWords[] = {
#define STATEMENT(name, word, code) StatementCode::name,
#define STATEMENT_ALIAS(name, word)
#include "interpreter/vocabulary/statements.inc"
#undef STATEMENT_ALIAS
#undef STATEMENT
};

constexpr FunctionWord functionWords[] = {
#define FUNCTION(name, word, code, minArgs, maxArgs, defaultArg, signature, group)                                     \
    FunctionWord { FunctionCode::name, minArgs, maxArgs },
#define FUNCTION_ALIAS(name, word, minArgs, maxArgs, defaultArg, signature, group)
#include "interpreter/vocabulary/functions.inc"
#undef FUNCTION_ALIAS
#undef FUNCTION
};

// The control words by their codes: the statements of the nine families are
// 18xxx, 28xxx ... 98xxx, their getters 19xxx, 29xxx ... 99xxx.
constexpr bool IsControlStatement(StatementCode code)
{
    const int c = Code(code);
    return c > 18000 && c < 99000 && c % 10000 / 1000 == 8;
}

constexpr bool IsControlFunction(FunctionCode code)
{
    const int c = Code(code);
    return c > 19000 && c < 100000 && c % 10000 / 1000 == 9;
}

constexpr int RowsNaming(StatementCode code)
{
    int rows = 0;
    for (const ControlPropertyRow& row : controlPropertyRows)
        rows += row.statement == code;
    return rows;
}

constexpr int RowsNaming(FunctionCode code)
{
    int rows = 0;
    for (const ControlPropertyRow& row : controlPropertyRows)
        rows += row.function == code;
    for (const ScreenEventRow& row : screenEventRows)
        rows += row.function == code;
    return rows;
}

constexpr bool EveryControlStatementHasOneRow()
{
    for (StatementCode code : statementWords)
        if (IsControlStatement(code) && RowsNaming(code) != 1) return false;
    return true;
}

constexpr bool EveryControlFunctionHasOneRow()
{
    for (const FunctionWord& word : functionWords)
        if (IsControlFunction(word.code) && RowsNaming(word.code) != 1) return false;
    return true;
}

constexpr bool IsWord(StatementCode code)
{
    for (StatementCode word : statementWords)
        if (word == code) return true;
    return false;
}

constexpr const FunctionWord* WordOf(FunctionCode code)
{
    for (const FunctionWord& word : functionWords)
        if (word.code == code) return &word;
    return nullptr;
}

// The arguments a kind's function takes: the name, plus n for an item.
constexpr bool FunctionFits(const ControlPropertyRow& row)
{
    using enum ControlPropertyKind;
    const bool none
        = row.kind == Create || row.kind == RequiredText || row.kind == Place || row.kind == PositionSelection;
    if (row.function == FunctionCode {}) return row.kind != Item && row.kind != Event;
    if (none || !IsControlFunction(row.function)) return false;
    const FunctionWord* word = WordOf(row.function);
    if (!word) return false;
    const int arguments = row.kind == Event ? 0 : row.kind == Item ? 2 : 1;
    return word->minArgs == arguments && word->maxArgs == arguments;
}

constexpr bool StatementFits(const ControlPropertyRow& row)
{
    using enum ControlPropertyKind;
    if (row.statement == StatementCode {})
        return row.kind != Create && row.kind != Remove && row.kind != Clear && row.kind != RequiredText
            && row.kind != Place;
    return row.kind != Item && IsControlStatement(row.statement) && IsWord(row.statement);
}

constexpr bool RowsFitTheirKinds()
{
    for (const ControlPropertyRow& row : controlPropertyRows)
        if (!FunctionFits(row) || !StatementFits(row)) return false;
    for (const ScreenEventRow& row : screenEventRows) {
        const FunctionWord* word = WordOf(row.function);
        if (!word || !IsControlFunction(row.function) || word->maxArgs != 0) return false;
    }
    return true;
}

// One row of the kind in each family, and at most one focus and clearing.
constexpr bool EachFamilyHasOne(ControlPropertyKind kind, int least)
{
    for (int family = 0; family <= static_cast<int>(ControlFamily::Timer); ++family) {
        int rows = 0;
        for (const ControlPropertyRow& row : controlPropertyRows)
            rows += static_cast<int>(row.family) == family && row.kind == kind;
        if (rows < least || rows > 1) return false;
    }
    return true;
}

static_assert(EveryControlStatementHasOneRow(), "every control statement needs exactly one row");
static_assert(EveryControlFunctionHasOneRow(), "every control function needs exactly one row");
static_assert(RowsFitTheirKinds(), "a row's function and statement must fit its kind");
static_assert(EachFamilyHasOne(ControlPropertyKind::Create, 1) && EachFamilyHasOne(ControlPropertyKind::Remove, 1)
        && EachFamilyHasOne(ControlPropertyKind::Event, 1) && EachFamilyHasOne(ControlPropertyKind::Focus, 0)
        && EachFamilyHasOne(ControlPropertyKind::Clear, 0),
    "each family is made, removed and polled by one row each");

} // namespace
