#include "tests/support/RunHarness.h"

#include "interpreter/Operators.h"
#include "support/TextAlgorithms.h"

#include <gtest/gtest.h>

#include <string>

// An assignment that grows a text ("s = s + ...", "s += ...", and the same on
// an array element) appends to the target in place. Each program here runs
// with compiled expressions, which take that path, and with every expression
// read from the text, which never does: both must print, fail and end alike.
// The handler prints the target after a trapped error, so a failed statement
// that changed its target shows.

TEST(TextAppends, MatchTheTextEvaluator)
{
    const char* const handler = "end\nh:\nprint \"trapped [\"; s; \"] [\"; a[1]; \"]\"\nreturn\n";
    const char* const bodies[] = {
        // Plain growth, numbers joined as their texts, the target read again
        // inside the value.
        "s = s + \"x\" + 1 + 2.5 + s\nprint s\ns = s + s\nprint s",
        "s = s + length(s) + upper(s)\nprint s",
        "s += \"y\"\ns += 7\ns += 0.25\nprint s",
        // Early ends and errors after the value: the target stays unchanged.
        "s = s + \"a\" - 1\nprint s",
        "s = s + \"a\" * 2\nprint s",
        "s = s + \"a\")\nprint s",
        "s = s + \"a\" x\nprint s",
        "s = s + undefined\nprint s",
        "s = s + sqrt(\"a\")\nprint s",
        "s = s + \"a\" < \"b\"\nprint s",
        "s = s + \"a\"; print s",
        "s = s\nprint s",
        "s = s +\nprint s",
        // Numbers in the target, another variable, a parenthesis first.
        "n = 5\nn = n + \"x\"\nprint n",
        "n = 5\nn = n + 1\nn += 2\nprint n",
        "t = s + \"q\"\nprint t; s",
        "s = (s) + \"p\"\nprint s",
        "s += n\nprint s",
        "s -= 1\nprint s",
        "s++\nprint s",
        // Array elements: the same element, another one, one never set, an
        // index with a side effect read once.
        "a[1] = a[1] + \"e\" + a[1]\nprint a[1]",
        "a[1] += \"f\"\nprint a[1]",
        "a[2] = a[1] + \"g\"\nprint a[2]; a[1]",
        "a[1] = a[2] + \"g\"\nprint a[1]",
        "a[0] = 3\na[0] = a[0] + \"g\"\nprint a[0]",
        "i = 1\na[i] = a[i] + \"h\" - 1\nprint a[1]",
        "a[1] = a[1, 0] + \"k\"\nprint a[1]",
        "a[1] = a[1] + \"m\" * 2\nprint a[1]",
        // A declared text, and a main-program text changed inside a sub.
        "declare d = \"v\"\nd = d + \"w\"\nd += 1\nprint d",
        "call f()\nprint s\nend\nsub f()\n_s = _s + \"o\"\n_s += \"p\"\nreturn",
    };
    for (const char* body : bodies)
        ExpectSameBothWays(
            std::string("onerror h\ndim a[3]\na[1] = \"A\"\ns = \"ab\"\n") + body + "\n" + handler, false);
}

TEST(TextAppends, GrowTheTargetInPlace)
{
    const RunResult result = RunProgram("s = \"\"\nfor i = 1 to 100000\ns = s + \"x\"\nnext\n"
                                        "dim a[2]\na[1] = \"\"\nfor i = 1 to 100000\na[1] += \"y\"\nnext\n"
                                        "print length(s)\nprint length(a[1])\nprint left(s, 1) + right(a[1], 1)\n");
    EXPECT_EQ(result.output, "100000\n100000\nxy\n");
}

// The length limit counts the target's text too, though only the part after
// it is joined by the expression.
TEST(TextAppends, LengthLimitCountsTheTarget)
{
    constexpr std::size_t limit = TextAlgorithms::MaxTextLength;
    Value two;
    two.setString("ab");
    AnsiString tail = "c";
    EXPECT_FALSE(Operators::JoinText(tail, two, limit - 2));
    EXPECT_EQ(tail, "c");
    EXPECT_TRUE(Operators::JoinText(tail, two, limit - 3));
    EXPECT_EQ(tail, "cab");
    Value number;
    number.setInt(12);
    AnsiString empty;
    EXPECT_FALSE(Operators::JoinText(empty, number, limit - 1));
    EXPECT_FALSE(Operators::JoinText(empty, number, limit + 1));
    EXPECT_TRUE(empty.empty());
}
