#include "tests/support/RunHarness.h"

#include <gtest/gtest.h>

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
