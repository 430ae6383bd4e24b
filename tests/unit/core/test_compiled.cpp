#include "EngineHarness.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

// Expressions evaluated from their compiled trees must give exactly what the
// text evaluator gives: the value, the error with its line and column, and the
// token left current (where the statement goes on reading).

namespace {

// One set of variables: the same names hold numbers in one binding and texts
// in another, so that operators meet every kind of operand.
struct Binding {
    const char* a;
    const char* b;
    const char* t;
};

const Binding Bindings[] = {
    { "i6", "f2.5", "sabc" },
    { "sx", "i-3", "i0" },
    { "f-0.5", "sy", "f1e300" },
    { "i2147483647", "i0", "s" },
};

void Bind(EngineHarness& engine, const Binding& binding)
{
    auto set = [&](const char* name, const char* value) {
        const std::string text(value + 1);
        switch (value[0]) {
        case 'i':
            engine.variables.SetInt(name, std::stoi(text));
            break;
        case 'f':
            engine.variables.SetFloat(name, std::stod(text));
            break;
        default:
            engine.variables.SetString(name, text);
            break;
        }
    };
    set("a", binding.a);
    set("b", binding.b);
    set("t", binding.t);
    engine.outerVariables.SetInt("o", 7);
    DArray<int> sizes;
    sizes.items[0] = 4;
    sizes.items[1] = 3;
    engine.arrays.Define("m", 2, sizes);
    DArray<int> at;
    at.items[0] = 1;
    at.items[1] = 2;
    engine.arrays.SetElementInt("m", at, 12);
    at.items[0] = 0;
    at.items[1] = 1;
    AnsiString text = "el";
    engine.arrays.SetElement("m", at, Tag::String, &text);
}

// The outcome of evaluating the first expression of text (twice, so that a
// compiled tree is also run from the cache), then one more expression after
// it when the first ends at a comma.
std::string Outcome(const std::string& text, const Binding& binding, bool compiled)
{
    EngineHarness engine;
    Bind(engine, binding);
    engine.expression.compileExpressions = compiled;
    engine.expression.compileOnFirstUse = true;
    std::string result;
    for (int round = 0; round < 2; ++round) {
        Expression_Class& ex = engine.Attach(text);
        if (round == 1) {
            // Same text, same offsets: the tree made in round 0 is gone with
            // the re-attach, so run the expression twice on one attach.
            ex.scanPosition = ex.programStart;
            engine.EvaluateNext();
            ex.scanPosition = ex.programStart;
        }
        result += engine.EvaluateNext();
        const Expression_Class& e = engine.expression;
        result += " | at " + std::to_string(e.tokenStart - e.programStart) + " scan "
            + std::to_string(e.scanPosition - e.programStart) + " type " + std::to_string(e.tokenType) + " code "
            + std::to_string(e.tokenCode) + " text '" + std::string(e.tokenText) + "'";
        if (e.tokenType == TokenType::Delimiter && e.tokenText == ",") result += " then " + engine.EvaluateNext();
        result += "\n";
    }
    return result;
}

void ExpectSame(const std::string& text)
{
    for (const Binding& binding : Bindings)
        EXPECT_EQ(Outcome(text, binding, true), Outcome(text, binding, false))
            << "expression: " << text << " with a=" << binding.a << " b=" << binding.b << " t=" << binding.t;
}

} // namespace

TEST(CompiledExpressions, MatchTheTextEvaluator)
{
    const char* const cases[] = {
        "a + b * 2",
        "a - 1",
        "a - 1 + 2, 5",
        "t + a - b",
        "a * b",
        "t * 2 + 1",
        "(a - 1)",
        "(t * 2)",
        "a ^ 2",
        "t ^ 2 = 1",
        "2 ^ a ^ 2",
        "-a",
        "!t",
        "~b",
        "a < b and b > 0",
        "a = b or t <> \"abc\"",
        "t $ \"xabcx\"",
        "a => b",
        "a <= t",
        "1 + (a < b)",
        "(a = t - 1)",
        "t = t - 1 and 1",
        "a && b || t",
        "a << 2 >> 1 @ 3",
        "a # b",
        "a / b",
        "a % 50",
        "a / 0",
        "1e308 * 10",
        "0x7FFFFFFF + a",
        "0%101 * a",
        "1.5.5 + 1",
        "m[1, 2] + 1",
        "m[0, 1] + a",
        "m[a, 2]",
        "m[t, 1]",
        "m[b - 1, 0]",
        "m[9, 9]",
        "zz[1]",
        "undefined + 1",
        "a + undefined",
        "_o * 2",
        "_nothing",
        "sqrt(a)",
        "sqrt(t)",
        "sqrt(t - 1)",
        "sqrt(a) + sin(b) * 1.5",
        "length(t + a)",
        "length(t - 1)",
        "left(t, 2, 1) + \"!\"",
        "left(t - 1, 2)",
        "max(a, b) - min(a, 1)",
        "abs(-a) ^ 2",
        "int(b) # 3",
        "sqrt()",
        "sqrt(,1)",
        "sqrt a",
        "a + \"unterminated",
        "t * \"unterminated",
        "(a + b",
        "a + + b",
        "a < < b",
        "a + b then",
        "\"x\"\"y\" + t",
        "a + b \\\r\n + 1",
        "red + a",
        "a +\r\n",
        "a -",
        "",
        // A character that starts no token, where an argument is expected.
        "sin(?)",
        "sin(1, ?)",
        "left(\"a\", ?)",
        "max(?, a)",
        "left(t, (?))",
        "length(m[?])",
        "sqrt(?",
        // Arguments after the first, which the handler asks for in turn.
        "mod(a, 3) + mod(b, a)",
        "mod(a, 0)",
        "mod(b, -1) - mod(t, 2)",
        "mod(a, t)",
        "mod(a, t - 1)",
        "mod(a, 3, 4)",
        "mod(a)",
        "mod(a,)",
        "mod(a, , 2)",
        "mod(1e300, a)",
        "mod(a, undefined)",
        "mid(t, a, 2) + instring(t, \"b\")",
        "mid(t, t, undefined)",
        "left(t, mod(a, 4) + 1)",
        "instring(t - 1, 2)",
        "left(t, 1 \\\r\n , 2)",
        // A variable's text read in place by the function.
        "length(t) + instring(t, \"b\", a)",
        "upper(t) + left(t, mod(a, 3) + 1)",
        "left(t, length(t) - 1)",
        "left(t, sqrt(t))",
        // Direct forms of text functions, and what they must decline: wrong
        // kinds and counts, numbers past the 64-bit range, undefined names.
        "left(t, a) + right(t, b) + upper(t) + lower(t)",
        "left(\"abcdef\", -a) + right(\"abcdef\", 1e300) + left(t, 1e19)",
        "left(t, b) + left(t, undefined) + right(t)",
        "instring(t, a) + instring(t, b, 2) + instring(\"xabc\", t, -a, 1)",
        "instring(t, \"\", a) + instring(t, t, 1e300) + length(t, 1)",
        "upper(t, 1) + lower(a) + upper(\"\xe9\xff\") + lower(\"\xc9\x9f\")",
        "length(upper(t)) * 2 + instring(upper(t), \"B\")",
        // The same on the numeric path of a sum or an argument.
        "a + length(t) + instring(t, \"b\") * 2 - length(\"xyz\")",
        "mod(length(t) + instring(\"abcabc\", t, a), 3) + instring(t, a)",
    };
    for (const char* text : cases)
        ExpectSame(text);
}

// Random expressions over the same grammar, with texts where numbers are
// expected and the other way round, so that early ends and errors of every
// kind are met at random places.
TEST(CompiledExpressions, RandomExpressionsMatchTheTextEvaluator)
{
    std::mt19937 random(20261210);
    auto pick = [&](std::initializer_list<const char*> choices) {
        std::uniform_int_distribution<size_t> d(0, choices.size() - 1);
        return std::string(choices.begin()[d(random)]);
    };
    std::function<std::string(int)> expression = [&](int depth) -> std::string {
        std::uniform_int_distribution<int> d(0, depth > 3 ? 3 : 9);
        switch (d(random)) {
        case 0:
            return pick({ "a", "b", "t", "1", "2.5", "0", "\"s\"", "_o", "m[1,2]", "m[0,1]", "red", "-1" });
        case 1:
            return pick({ "a", "b", "t", "3", "\"q\"" });
        case 2:
            return pick({ "a", "b", "t" });
        case 3:
            return pick({ "1", "a", "t" });
        case 4:
            return "(" + expression(depth + 1) + ")";
        case 5:
            return pick({ "-", "!", "~", "" }) + expression(depth + 1);
        case 6:
            return pick({ "sqrt(", "length(", "abs(", "int(", "upper(" }) + expression(depth + 1) + ")";
        case 7:
            return pick({ "max(", "left(", "mod(", "instring(" }) + expression(depth + 1) + ", " + expression(depth + 1)
                + ")";
        case 8:
            return "m[" + expression(depth + 1) + ", " + expression(depth + 1) + "]";
        default:
            return expression(depth + 1)
                + pick({ " + ", " - ", " * ", " / ", " # ", " % ", " ^ ", " = ", " < ", " >= ", " <> ", " $ ", " and ",
                    " or ", " & ", " | ", " << " })
                + expression(depth + 1);
        }
    };
    for (int k = 0; k < 600; ++k) {
        std::string text = expression(0);
        if (k % 3 == 0) text += ", " + expression(1);
        ExpectSame(text);
    }
}
