#include "tests/support/RunHarness.h"

#include <gtest/gtest.h>

#include <string>

// A statement that a loop runs again runs from its ready form; with every
// expression read from the text it never does. Each body below runs three
// times in a loop, so that the later rounds take the ready form, and its
// values change between rounds so that the form meets what the first round
// did not: another type, a text, a fresh table, an error. Both ways must
// print, fail and end alike, to the line and column of the error.

TEST(ReadyStatements, MatchTheTextReading)
{
    const char* const setup = "dim a[4]\nw = 1\nt = 5\nu = 1\nv = 2\nbig = 2147483646\n";
    const char* const bodies[] = {
        // Assignments to a variable: types that change, a text in the
        // target, several statements on a line, errors in later rounds.
        "x = k * 2 + 0.5\ny = x + k\nprint x; \" \"; y",
        "x = v\nv = \"s\" + k\nprint x",
        "x = 10 / (2 - k)\nprint x",
        "x = sqrt(2 - k)\nprint x",
        "x = t - k\nt = \"q\"\nprint x",
        "x = t * k\nif k = 2 then t = \"q\"\nprint x",
        "x = a[k]\na[k + 1] = k\nprint x",
        "x = k; y = x * 2: print y",
        "x = k; y = x * 2 z\nprint y",
        "x = (k\nprint x",
        "x = k)\nprint x",
        "x = 1e308 * (k * 10)\nprint x",
        // Elements of one index: the index type, its range, an early end,
        // a text element appended to.
        "a[k] = k * 2\nprint a[k]",
        "a[k * w] = 1\nw = 0.5\nprint a[1]",
        "a[k + 1] = k\nprint a[k + 1]",
        "a[u - 1] = 5\nu = \"x\"\nprint a[0]",
        "a[u = v - 1] = 5\nif k = 2 then u = \"p\": v = \"q\"\nprint a[0]",
        "a[1] = \"x\"\na[1] = a[1] + k\nprint a[1]",
        "a[k] = t - 1\nt = \"q\"\nprint a[k]",
        "a[k] = k)\nprint a[k]",
        "a[k] = w\nif k = 2 then undim a\nprint a[1]",
        // ++ and --: integers that wrap, floats, a target that turns text.
        "big++\nprint big",
        "x = k\nx *= 2.5\nx++\nx -= k\nprint x",
        "a[1] = k\na[1] += 0.5\na[1]++\nprint a[1]",
        "w--\nw++\nw--\nprint w",
        "t++\nif k = 2 then t = \"q\"\nprint t",
        // IF: one line and blocks, a condition that turns float or text,
        // a missing then.
        "if k * w > 1 then print \"big\"\nw = 0.4\nprint w",
        "if t then print \"yes\" else print \"no\"\nif k = 2 then t = \"q\"",
        "if k < 2\nprint \"a\"\nelseif k < 3\nprint \"b\"\nelse\nprint \"c\"\nendif",
        "if k - 2 print \"x\"\nprint \"y\"",
        // GOSUB to a label, and a name that is no label.
        "gosub s1\nprint x",
        "gosub nowhere\nprint x",
    };
    const char* const after = "next\nprint \"end\"\nend\ns1:\nx = x + 1\nreturn\n";
    for (const char* body : bodies)
        ExpectSameBothWays(std::string(setup) + "for k = 1 to 3\n" + body + "\n" + after, true);
}

TEST(ReadyStatements, MatchTheTextReadingInSubsAndNestedGosubs)
{
    const char* const programs[] = {
        // Each call has a fresh table: the ready forms find their variables
        // again in it.
        "for k = 1 to 3\ncall f(k)\nprint f__Result\nnext\nend\nsub f(n)\nfor j = 1 to 2\nx = n * j\ny++\n"
        "next\nreturn x + y",
        "for k = 1 to 3\ncall f(k)\nnext\nend\nsub f(n)\nfor j = 1 to 2\nq = q + n\nnext\nreturn q",
        // CALL: arguments that change type, turn text, end early, fail, are
        // left out; a sub of no parameters; a by-reference parameter.
        "t = 1\nfor k = 1 to 3\ncall f(k * 2, t, upper(\"a\") + k)\nprint f__Result\nif k = 2 then t = \"x\"\nnext\n"
        "end\nsub f(a, b, c)\nreturn a + \" \" + b + \" \" + c",
        "t = 1\nfor k = 1 to 3\ncall f(t - 1)\nprint f__Result\nt = \"x\"\nnext\nend\nsub f(a)\nreturn a",
        "for k = 1 to 3\ncall f(6 / (2 - k), k)\nprint f__Result\nnext\nend\nsub f(a, b)\nreturn a",
        "for k = 1 to 3\ncall f(k)\nprint f__Result\nnext\nend\nsub f(a, b)\nreturn b",
        "for k = 1 to 3\ncall g()\nprint g__Result\nnext\nend\nsub g()\nreturn 7",
        "for k = 1 to 3\ncall f(k, k, k)\nnext\nend\nsub f(a)\nreturn a",
        "for k = 1 to 3\ncall f(k)\nprint k\nnext\nend\nsub f(&a)\na = a * 10\nreturn",
        "for k = 1 to 3\ncall f(k) x\nnext\nend\nsub f(a)\nreturn",
        "for k = 1 to 3\ncall fib(k + 5)\nprint fib__Result\nnext\nend\nsub fib(n)\nif n < 2 then return n\n"
        "call fib(n - 1)\na = fib__Result\ncall fib(n - 2)\nreturn a + fib__Result",
        // RETURN with a value that turns text, ends early or is followed by
        // more; from a GOSUB.
        "t = 1\nfor k = 1 to 3\ncall f(k)\nprint f__Result\nif k = 2 then t = \"x\"\nnext\nend\nsub f(a)\nreturn t + a",
        "t = 1\nfor k = 1 to 3\ncall f(k)\nprint f__Result\nt = \"x\"\nnext\nend\nsub f(a)\nreturn t - a",
        "for k = 1 to 3\ncall f(k)\nprint f__Result\nnext\nend\nsub f(a)\nif a = 3 then return a a\nreturn a * 2",
        "for k = 1 to 3\ngosub s\nnext\nreturn 1\nend\ns:\nreturn k",
        // GOSUB without end: the frames run out with the same error.
        "x = 0\ns:\nx++\ngosub s",
        // A trapped error in a ready form, then the loop goes on.
        "onerror h\nfor k = 1 to 4\nx = 6 / (2 - k)\nprint x\nnext\nend\nh:\nprint \"trapped\"\nreturn",
    };
    for (const char* program : programs)
        ExpectSameBothWays(program, true);
}
