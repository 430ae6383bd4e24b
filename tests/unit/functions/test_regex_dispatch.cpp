#include "FunctionCases.h"

// The regular-expression functions reach the program-wide expression with the
// arguments as the program gave them; the engine itself is tested on its own.

TEST(RegexDispatch, ArgumentsReachTheSharedExpression)
{
    const FunctionCase cases[] = {
        { "re_Setup(\"b(c+)\")", "i:1" },
        { "re_search(\"abccd\")", "i:1" },
        { "re_start()", "i:2" },
        { "re_start(1)", "i:3" },
        { "re_search(\"abccd\", 3)", "i:0" },
        { "re_match(\"bcc\")", "i:1" },
        { "re_replace(\"abcabcc\", \"X\")", "s:aXaX" },
        { "re_replace(\"abcabcc\", \"X\", 3)", "s:abcaX" },
        { "re_Setup(\"B\", re_ignorecase)", "i:1" },
        { "re_search(\"abc\")", "i:1" },
        { "re_Setup(\"B\", -5)", "i:1" },
        { "re_search(\"abc\")", "i:0" },
        { "re_Setup(5)", "error 35" },
        { "re_search(\"a\", \"b\")", "error 36" },
        { "re_start(\"a\")", "error 36" },
        { "re_replace(5)", "error 32" },
        { "re_numofgrps(1)", "error 1" },
    };
    RunFunctionCases(cases);
}
