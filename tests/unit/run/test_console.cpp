#include "ProgramCase.h"

#include <gtest/gtest.h>

class ConsolePrograms : public testing::TestWithParam<ProgramCase> { };

TEST_P(ConsolePrograms, RunAsExpected) { CheckProgram(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Console, ConsolePrograms,
    testing::Values(ProgramCase { "TabSeparatorPadsToEightColumns", "print \"ab\"; \"cd\"\n", "ab      cd\n" },
        ProgramCase { "FullTabStopGetsEightSpacesAndLeavesTheLineOpen", "print \"abcdefgh\";\nprint \"x\"\n",
            "abcdefgh        x\n" },
        ProgramCase { "PrintAloneGivesAnEmptyLine", "print\nprint 1\n", "\n1\n" },
        ProgramCase { "PlainSeparatorJoins", "print 1, 2.5, \"z\"\n", "12.5z\n" },
        ProgramCase { "TrailingPlainSeparatorLeavesTheLineOpen", "print 1,\nprint 2\n", "12\n" },
        ProgramCase { "LongLinesWrapAtTheRightEdge",
            "s = \"1234567890\"\nt = s + s + s + s + s + s + s + s + s + s\nprint t\n",
            "1234567890123456789012345678901234567890123456789012345678901234567890123456789012345678\n"
            "901234567890\n" },
        ProgramCase { "WriteIsPrint", "write \"w\"\n", "w\n" },
        ProgramCase { "BadSeparator", "print 1 2\n", "", 0, 1 },
        ProgramCase { "DataAppendsValuesAndGaps", "data d; 1, , 2.5\nprint d[0]; d[2]\nprint d[1]\n",
            "1       2.5\n", 77, 3 },
        ProgramCase { "DataNeedsASemicolon", "data d 1\n", "", 67, 1 },
        ProgramCase { "DimRedefinesAndLosesData", "dim a[2]\na[0] = 1\ndim a[3], b[2, 2]\nprint a[0]\n", "", 77, 4 },
        ProgramCase { "DimNeedsBrackets", "dim a\n", "", 0, 1 },
        ProgramCase { "DeclareCarriesTheLastInitializer", "declare a, b = 2.5, c\nprint a; b; c\n",
            "0       2.5     2.5\n" },
        ProgramCase { "SwapExchangesTypes", "a = 1\nb = \"x\"\nswap a, b\nprint a; b\n", "x       1\n" },
        ProgramCase { "SwapArrayElements", "dim m[2]\nm[0] = 1\nm[1] = 2\nswap m[0], m[1]\nprint m[0]; m[1]\n",
            "2       1\n" },
        ProgramCase { "SwapNeedsTwoTargets", "a = 1\nswap a\n", "", 30, 2 },
        ProgramCase { "SwapUnsetVariable", "a = 1\nswap a, b\n", "", 51, 2 }),
    [](const testing::TestParamInfo<ProgramCase>& info) { return std::string(info.param.name); });

TEST(Input, ReadsLinesAndConvertsNumbers)
{
    RunResult result = RunProgram("input \"Name?\", name\nprint \"Hi \"; name\ninput a, b\nprint a + b\n"
                                   "input h, f\nprint h; f\n",
        "Bob\n3\n4\n0x1F\n2.5\n");
    EXPECT_EQ(result.output, "Hi      Bob\n7\n31      2.5\n");
    EXPECT_EQ(result.ended, 1);
}

TEST(Input, IntoArrayElements)
{
    RunResult result = RunProgram("dim a[2]\ninput a[1]\nprint a[1] * 2\n", "21\n");
    EXPECT_EQ(result.output, "42\n");
}

TEST(Input, EndOfInputEndsTheRunQuietly)
{
    RunResult result = RunProgram("print 1\ninput x\nprint 2\n");
    EXPECT_EQ(result.output, "1\n");
    EXPECT_EQ(result.ended, 1);
    EXPECT_TRUE(result.boxes.empty());
}

TEST(Input, DeclaredTypesRule)
{
    RunResult word = RunProgram("declare n = 0\ninput n\n", "abc\n");
    EXPECT_EQ(word.errorNumber, 60);
    RunResult digits = RunProgram("declare s = \"\"\ninput s\nprint s + 1\n", "12\n");
    EXPECT_EQ(digits.output, "121\n");
    RunResult undeclared = RunProgram("declare n = 0\ninput m\n", "1\n");
    EXPECT_EQ(undeclared.errorNumber, 55);
}

TEST(Input, EmptyInputStatement)
{
    RunResult result = RunProgram("input\n");
    EXPECT_EQ(result.errorNumber, 30);
}

TEST(WaitKey, StoresTheKeyCode)
{
    RunResult result = RunProgram("waitkey \"go\", k\nprint k\nwaitkey k\nprint k\n", "Az");
    EXPECT_EQ(result.output, "65\n122\n");
}

TEST(WaitKey, NeedsAVariable)
{
    RunResult result = RunProgram("waitkey \"go\", 5\n", "A");
    EXPECT_EQ(result.errorNumber, 52);
}
