#include "tests/unit/functions/FunctionCases.h"

namespace {

// The evaluator of the debug window's watch list runs without a screen.
TEST(SystemFunctions, WithoutARunScreen)
{
    RunFunctionCases({
        { "constoclr(4)", "i:255" },
        { "factorcolor(4, 0.5)", "i:127" },
        { "pixelclr(1, 1)", "i:-1" },
        { "gettextbuff()", "s:" },
        { "abortflag()", "i:0" },
        { "rgb(0, 0, 15)", "i:983040" },
        { "rgb(15, 0, 0)", "i:0" },
        { "evaluate(\"1+\")", "error 88" },
        { "vtype(3)", "error 52" },
    });
}

} // namespace
