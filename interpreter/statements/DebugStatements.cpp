#include "interpreter/Durnix_class.h"
#include "interpreter/RunHooks.h"
#include "interpreter/statements/ItemText.h"
#include "interpreter/statements/StatementTable.h"

#include <iterator>

// The debugging statements: debugon and debugoff (no argument), stepping (one
// integer) and debug, which writes to the debug window and waits there. The
// no-argument and one-integer frames are tables, so that other statements of
// those shapes are one row each.

namespace {

// --- No-argument statements ---------------------------------------------------------

struct NoArgumentStatement {
    StatementCode code;
    void (*operation)(Durnix_Class&);
};

constexpr NoArgumentStatement noArgumentStatements[] = {
    { StatementCode::Debugon, [](Durnix_Class&) { RunHooks::Debugger().SetDebugOn(true); } },
    { StatementCode::Debugoff, [](Durnix_Class&) { RunHooks::Debugger().SetDebugOn(false); } },
};

template <size_t Index> void NoArgument(Durnix_Class& d)
{
    d.SetParamDefaults(1, 0, '0');
    int given = 0;
    d.ParseParams(0, 0, given);
    noArgumentStatements[Index].operation(d);
}

// --- One-integer statements ---------------------------------------------------------

struct OneIntegerStatement {
    StatementCode code;
    int defaultValue;
    void (*operation)(Durnix_Class&, int);
};

constexpr OneIntegerStatement oneIntegerStatements[] = {
    { StatementCode::Stepping, -1, [](Durnix_Class&, int n) { RunHooks::Debugger().SetStepping(n != 0); } },
};

template <size_t Index> void OneInteger(Durnix_Class& d)
{
    const OneIntegerStatement& statement = oneIntegerStatements[Index];
    d.SetParamDefaults(1, statement.defaultValue, 'i');
    int given = 0;
    d.ParseParams(0, 1, given);
    statement.operation(d, d.paramInt[0]);
}

// --- debug ----------------------------------------------------------------------------

// The longest text a debug statement hands on, as for serial output.
constexpr size_t MaxDebugText = 4095;

void Debug(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    AnsiString text;
    e.NextToken();
    if (!e.endOfStatement) {
        e.PutBack();
        BuildItems(d, text, ';', ',');
    }
    if (text.size() > MaxDebugText) text.resize(MaxDebugText);
    DebugHook& debugger = RunHooks::Debugger();
    // A program whose text the user may not see never stops in the debugger.
    if (!debugger.DebugOn() || RunHooks::HiddenProgram()) return;
    debugger.DebugWait(text, d.currentVariables, &d.expression, d.screen.stopped);
}

constexpr StatementEntry entries[] = {
    { StatementCode::Debugon, NoArgument<0> },
    { StatementCode::Debugoff, NoArgument<1> },
    { StatementCode::Stepping, OneInteger<0> },
    { StatementCode::Debug, Debug },
};

// The entries and the statements they run must stay in step.
constexpr bool EntriesMatchStatements()
{
    for (size_t k = 0; k < std::size(noArgumentStatements); ++k)
        if (entries[k].code != noArgumentStatements[k].code) return false;
    for (size_t k = 0; k < std::size(oneIntegerStatements); ++k)
        if (entries[std::size(noArgumentStatements) + k].code != oneIntegerStatements[k].code) return false;
    return true;
}
static_assert(EntriesMatchStatements());

} // namespace

const StatementFamily debugStatements = { entries, sizeof entries / sizeof entries[0] };
