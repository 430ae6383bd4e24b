#include "interpreter/Expression_class.h"
#include "tests/support/RunHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Programs that push the interpreter to its limits end with a numbered error
// at the right line, never with a signal: nesting deeper than the evaluator
// holds, texts longer than any text may be.

namespace {

std::string Repeat(const std::string& piece, int count)
{
    std::string text;
    text.reserve(piece.size() * static_cast<size_t>(count));
    for (int k = 0; k < count; ++k)
        text += piece;
    return text;
}

// An expression nested `depth` levels deep, as the evaluator counts them
// (the expression itself is the first level).
struct Nest {
    const char* name;
    const char* open;
    const char* inner;
    const char* close;
    const char* printed; // what the program prints when the nesting is held
};

const Nest Nests[] = {
    { "parentheses", "(", "1", ")", "1" },
    { "one-argument calls", "upper(", "\"a\"", ")", "A" },
    { "calls with two arguments", "left(", "\"ab\"", ", 1)", "a" },
    { "array indexes", "a[", "0", "]", "0" },
    { "powers", "1^", "1", "", "1" },
};

std::string Program(const Nest& nest, int depth, const std::string& statement)
{
    const int inner = depth - 1;
    std::string expression = Repeat(nest.open, inner) + nest.inner + Repeat(nest.close, inner);
    return "dim a[10]\na[0] = 0\nprint \"start\"\n" + statement + expression + "\nprint x\n";
}

} // namespace

TEST(Limits, NestingUpToTheBoundRunsAndPastItEndsWithError73)
{
    for (const Nest& nest : Nests) {
        SCOPED_TRACE(nest.name);
        // The bound itself still runs, in the sanitizer build too.
        RunResult held = RunProgram(Program(nest, Expression_Class::MaxNesting, "x = "));
        EXPECT_EQ(held.output, std::string("start\n") + nest.printed + "\n");
        EXPECT_EQ(held.ended, 1);

        for (const int depth : { Expression_Class::MaxNesting + 1, 100000 }) {
            RunResult deep = RunProgram(Program(nest, depth, "x = "));
            EXPECT_EQ(deep.output, "start\n");
            EXPECT_EQ(deep.ended, 0) << depth;
            EXPECT_EQ(deep.errorNumber, 73) << depth;
            EXPECT_EQ(deep.errorLine, 4) << depth;
        }
    }
}

TEST(Limits, DeepStatementOperandsUpToTheBoundRunAndPastItEndWithError73)
{
    auto nest = [](int depth) { return Repeat("(", depth - 1) + "1" + Repeat(")", depth - 1); };
    auto programs = [](const std::string& deep) {
        return std::vector<std::string> {
            "print 1\nfor i = " + deep + " to 1\nprint i\nnext\n",
            "print 1\nif " + deep + "\nprint 1\nendif\n",
            "print 1\nprint " + deep + "\n",
            "print 1\nwhile " + deep + " = 0\nwend\nprint 1\n",
        };
    };
    for (const std::string& program : programs(nest(Expression_Class::MaxNesting))) {
        RunResult result = RunProgram(program);
        EXPECT_EQ(result.output, "1\n1\n") << program.substr(0, 20);
        EXPECT_EQ(result.ended, 1) << program.substr(0, 20);
    }
    for (const int depth : { Expression_Class::MaxNesting + 1, 100000 }) {
        for (const std::string& program : programs(nest(depth))) {
            RunResult result = RunProgram(program);
            EXPECT_EQ(result.output, "1\n") << program.substr(0, 20);
            EXPECT_EQ(result.errorNumber, 73) << program.substr(0, 20);
            EXPECT_EQ(result.errorLine, 2) << program.substr(0, 20);
        }
    }
}

TEST(Limits, ATrapTakesTheNestingErrorAndTheRunGoesOn)
{
    const std::string deep = Repeat("(", 5000) + "1" + Repeat(")", 5000);
    RunResult result = RunProgram("onerror trap\nx = " + deep
        + "\nprint \"not here\"\nend\n"
          "trap:\nprint \"trapped\"\nprint "
        + Repeat("(", 50) + "2" + Repeat(")", 50) + "\n");
    EXPECT_EQ(result.output, "trapped\n2\n");
    EXPECT_EQ(result.errorNumber, 73);
}

TEST(Limits, TextsLongerThanAnyTextEndWithError73)
{
    // Doubling "ab" passes the bound of 256 MiB at the 28th doubling.
    const char* const programs[] = {
        "s = \"ab\"\nfor i = 1 to 31\ns = s + s\nnext\nprint \"not here\"\n",
    };
    for (const char* program : programs) {
        RunResult result = RunProgram(program);
        EXPECT_EQ(result.output, "") << program;
        EXPECT_EQ(result.errorNumber, 73) << program;
        EXPECT_EQ(result.errorLine, 3) << program;
        EXPECT_EQ(result.ended, 0);
    }
}
