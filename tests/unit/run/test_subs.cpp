#include "ProgramCase.h"

class SubPrograms : public testing::TestWithParam<ProgramCase> { };

TEST_P(SubPrograms, RunAsExpected) { CheckProgram(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Subs, SubPrograms,
    testing::Values(
        ProgramCase { "CallReturnsAResultAndKeepsLocalsLocal",
            "call add(1, 2)\nprint add__Result\nprint a\nend\nsub add(a, b)\nreturn a + b\n", "3\n", 51, 3 },
        ProgramCase { "OuterScopeNameReachesMainVariables",
            "a = 10\ncall f(1)\nprint f__Result\nend\nsub f(a)\nreturn a + _a\n", "11\n" },
        ProgramCase { "SelfAssignedResult", "call foo()\nprint foo__Result\nend\nsub foo()\nfoo__Result = 7\nreturn\n",
            "7\n" },
        ProgramCase { "NoResultGivesAnEmptyText",
            "call foo()\nprint \"[\" + foo__Result + \"]\"\nend\nsub foo()\nreturn\n", "[]\n" },
        ProgramCase { "ByReferenceCreatesAndWritesBack",
            "call inc(x)\nprint x\nx = 5\ncall inc(x)\nprint x\nend\nsub inc(&n)\nn = n + 1\nreturn\n",
            "1\n6\n" },
        ProgramCase { "ByValueDoesNotWriteBack", "x = 5\ncall f(x)\nprint x\nend\nsub f(n)\nn = 9\nreturn\n", "5\n" },
        ProgramCase { "ByReferenceFromAnExpressionWritesNothing",
            "call f(2 + 3)\nprint \"ok\"\nend\nsub f(&n)\nn = 1\nreturn\n", "ok\n" },
        ProgramCase { "TooManyArguments", "call f(1, 2)\nend\nsub f(a)\nreturn\n", "", 14, 1 },
        ProgramCase { "SubWithoutParametersTakesOneArgument", "call f(5)\nprint \"ok\"\nend\nsub f()\nreturn\n",
            "ok\n" },
        ProgramCase { "EmptyParenthesesPassNoArguments", "call f()\nprint f__Result\nend\nsub f(a)\nreturn 1\n",
            "1\n" },
        ProgramCase { "MissingArgumentsStayUndefined", "call f(1)\nend\nsub f(a, b)\nprint a\nprint b\nreturn\n", "1\n",
            51, 5 },
        ProgramCase { "OmittedMiddleArgument", "call f(1, , 3)\nend\nsub f(a, b, c)\nprint a + c\nprint b\nreturn\n",
            "4\n", 51, 5 },
        ProgramCase { "CallByExpression", "n = \"add\"\ncall (n)(2, 3)\nprint add__Result\nend\nsub add(a, b)\nreturn a "
                                          "* b\n",
            "6\n" },
        ProgramCase { "LoopLeftByReturnIsDropped", "call f()\nnext\nend\nsub f()\nfor j = 1 to 10\nreturn\n", "", 21,
            2 },
        ProgramCase { "ReturnWithoutGosub", "return\n", "", 25, 1 },
        ProgramCase { "RecursiveFibonacci",
            "call fib(15)\nprint fib__Result\nend\nsub fib(n)\nif n < 2\nreturn n\nendif\ncall fib(n - 1)\na = "
            "fib__Result\ncall fib(n - 2)\nreturn a + fib__Result\n",
            "610\n" },
        ProgramCase { "GosubAndReturn", "gosub 100\nprint \"back\"\nend\n100 print \"in\"\nreturn\n", "in\nback\n" },
        ProgramCase { "GosubSharesVariables", "x = 1\ngosub s\nprint x\nend\ns:\nx = 2\nreturn\n", "2\n" },
        ProgramCase { "GosubToAComputedLabel", "n = 100\ngosub n\nend\n100 print \"in\"\nreturn\n", "in\n" },
        ProgramCase { "GosubUndefined", "gosub \"nowhere\"\n", "", 7, 1 },
        ProgramCase { "GosubUndefinedNameIsEvaluated", "gosub nowhere\n", "", 51, 1 },
        ProgramCase { "RunawayRecursionEndsWithTooManyGosubs", "call r()\nend\nsub r()\ncall r()\n", "", 24, 4 },
        ProgramCase { "UndefinedSub", "call (\"nope\")(1)\n", "", 11, 1 },
        ProgramCase { "DuplicateSub", "print 1\nsub a()\nsub a()\n", "", 10, 3 },
        ProgramCase { "SubWithoutParenthesis", "sub a\n", "", 13, 1 },
        ProgramCase { "DuplicateLabel", "100 print 1\n100 print 2\n", "", 6, 2 },
        ProgramCase { "LabelsAfterCommentsAndEmptyLines", "goto b\n' comment\nprint 1\n\nb:\nprint 2\n", "2\n" }),
    [](const testing::TestParamInfo<ProgramCase>& info) { return std::string(info.param.name); });
