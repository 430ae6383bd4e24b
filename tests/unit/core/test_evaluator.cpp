#include "EngineHarness.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    const char* expected;
};

void RunCases(const Case* cases, size_t count)
{
    for (size_t k = 0; k < count; ++k) {
        EngineHarness engine;
        engine.variables.SetInt("a", 6);
        engine.variables.SetFloat("x", 2.5);
        engine.variables.SetString("t", "abc");
        engine.outerVariables.SetInt("a", 99);
        EXPECT_EQ(engine.Evaluate(cases[k].text), cases[k].expected) << cases[k].text;
    }
}

} // namespace

TEST(Evaluator, ArithmeticKeepsIntegersAndSaturates)
{
    const Case cases[] = {
        { "1 + 2 * 3", "i:7" },
        { "2147483647 + 1", "i:2147483647" },
        { "2147483647.0 + 1", "f:2147483648" },
        { "-2147483647 - 10", "i:-2147483648" },
        { "65536 * 65536", "i:2147483647" },
        { "7 / 2", "i:3" },
        { "-7 / 2", "i:-3" },
        { "7.0 / 2", "f:3.5" },
        { "10 % 5", "f:0.5" },
        { "-7 # 2", "i:-1" },
        { "7.5 # 2", "f:1" },
        { "0x80000000 # -1", "i:0" },
        { "7 # 0.5", "error 40 at 1:7" },
        { "1 / 0", "error 40 at 1:5" },
        { "a * x", "f:15" },
        { "(1 + 2) * 3", "i:9" },
        { "(1 + 2", "error 1 at 1:6" },
        { "1e308 * 10", "error 42 at 1:10" },
        { "1e308 + 1e308", "error 42 at 1:13" },
        { "1e999", "error 41 at 1:5" },
        { "12abc", "error 41 at 1:5" },
    };
    RunCases(cases, std::size(cases));
}

TEST(Evaluator, Powers)
{
    const Case cases[] = {
        { "2 ^ 3 ^ 2", "i:512" },
        { "2 ^ -1", "i:0" },
        { "1 ^ -5", "i:1" },
        { "-1 ^ -3", "i:-1" },
        { "2.0 ^ -1", "f:0.5" },
        { "(-8) ^ (1/3.0)", "error 39 at 1:14" },
        { "0 ^ -1", "error 40 at 1:6" },
        { "0.0 ^ -1", "error 40 at 1:8" },
        { "5 ^ 0", "i:1" },
        { "0.0 ^ 2", "f:0" },
        { "(-2.0) ^ 3", "f:-8" },
        { "(-2.0) ^ -2", "f:0.25" },
        { "2 ^ 31", "i:-2147483648" },
        { "2 ^ 32", "i:0" },
        { "3 ^ 2000000000", "i:632360961" },
        { "2 ^ -32", "error 40 at 1:7" },
        { "10.0 ^ 400", "error 42 at 1:10" },
        { "(-1.0) ^ 2000000001", "f:-1" },
        { "\"a\" ^ 2", "s:a" },
        { "2 ^ \"a\"", "error 48 at 1:7" },
    };
    RunCases(cases, std::size(cases));
}

TEST(Evaluator, ComparisonsReadOneRelation)
{
    const Case cases[] = {
        { "1 < 2", "i:1" },
        { "2 <= 2", "i:1" },
        { "2 =< 1", "i:0" },
        { "2 >= 3", "i:0" },
        { "3 => 3", "i:1" },
        { "1 <> 2", "i:1" },
        { "1 >< 1", "i:0" },
        { "1 != 1", "i:0" },
        { "1 == 1", "i:1" },
        { "1 = 1.0", "i:1" },
        { "\"abc\" < \"abd\"", "i:1" },
        { "\"B\" < \"a\"", "i:1" },
        { "\"ab\" < \"abc\"", "i:1" },
        { "\"bc\" $ \"abcd\"", "i:1" },
        { "\"\" $ \"x\"", "i:1" },
        { "1 $ 2", "i:0" },
        { "\"a\" = 1", "error 46 at 1:7" },
        { "1 < 2 < 3", "i:1" },
        { "1 < < 2", "error 0 at 1:7" },
    };
    RunCases(cases, std::size(cases));
}

TEST(Evaluator, TextsJoinAndEndAtMinus)
{
    const Case cases[] = {
        { "t + 1", "s:abc1" },
        { "t + 2.5 + \"!\"", "s:abc2.5!" },
        { "\"x\" + 1e20", "s:x1E20" },
        { "t - 1", "s:abc" },
        { "1 + t", "error 0 at 1:5" },
        { "t * 2", "s:abc" },
        { "2 * t", "error 47 at 1:5" },
        { "-t", "error 49 at 1:2" },
        { "\"say \"\"hi\"\"\"", "s:say \"hi\"" },
        { "\"a\"\"\"\"b\"", "s:a\"\"b" },
    };
    RunCases(cases, std::size(cases));
}

TEST(Evaluator, LogicalAndBitOperators)
{
    const Case cases[] = {
        { "1 and 0", "i:0" },
        { "2 && 3", "i:1" },
        { "0 or 5", "i:1" },
        { "1 xor 1", "i:0" },
        { "1 @@ 0", "i:1" },
        { "12 & 10", "i:8" },
        { "12 | 3", "i:15" },
        { "12 @ 10", "i:6" },
        { "1 << 4", "i:16" },
        { "1 bshiftl 33", "i:2" },
        { "-8 bshiftr 1", "i:-4" },
        { "-8 >> 1", "i:-4" },
        { "5 brotl 1", "i:10" },
        { "255 brotl 1", "i:255" },
        { "129 brotr 1", "i:192" },
        { "1 brotl -1", "i:128" },
        { "2.9 band 3", "i:2" },
        { "3 band 1e20", "i:0" },
        { "1e20 bor 0", "i:2147483647" },
        { "t and 1", "error 44 at 1:7" },
        { "1 < 2 and 3 < 4", "i:1" },
    };
    RunCases(cases, std::size(cases));
}

TEST(Evaluator, UnaryOperatorsOnePerAtom)
{
    const Case cases[] = {
        { "not 0", "i:1" },
        { "!5", "i:0" },
        { "not 0.0", "f:1" },
        { "-x", "f:-2.5" },
        { "~0", "i:-1" },
        { "!!5", "i:-6" },
        { "~2.7", "f:-3" },
        { "+a", "i:6" },
        { "- -1", "error 0 at 1:3" },
        { "-0x80000000", "i:-2147483648" },
    };
    RunCases(cases, std::size(cases));
}

TEST(Evaluator, Atoms)
{
    const Case cases[] = {
        { "2147483647", "i:2147483647" },
        { "2147483648", "f:2147483648" },
        { "12.0", "f:12" },
        { "1e3", "f:1000" },
        { "1e-5", "f:0.00001" },
        { ".5", "f:0.5" },
        { "0x1F", "i:31" },
        { "0xFFFFFFFF", "i:-1" },
        { "0x000000001", "i:1" },
        { "0x100000000", "i:0" },
        { "0xZZ", "i:0" },
        { "0x1e-5", "i:25" },
        { "0%1011", "i:11" },
        { "0%12", "i:0" },
        { "red", "i:4" },
        { "_a", "i:99" },
        { "_zz", "error 51 at 1:3" },
        { "zz", "error 51 at 1:2" },
        { "zz(1)", "error 33 at 1:2" },
        { ")", "error 0 at 1:1" },
    };
    RunCases(cases, std::size(cases));
}

TEST(Evaluator, EmptyExpressionAndOmittedArgument)
{
    EngineHarness engine;
    EXPECT_EQ(engine.Evaluate(""), "error 2 at 1:0");
    EXPECT_EQ(engine.Evaluate(",5"), ",");
    EXPECT_EQ(engine.expression.tokenText, ",");
    EXPECT_EQ(engine.Evaluate("\"\""), "s:");
    EXPECT_EQ(engine.Evaluate("1 +\r\n"), "error 0 at 1:3");
}

TEST(Evaluator, LeavesTheFirstUnusedTokenCurrent)
{
    EngineHarness engine;
    engine.variables.SetInt("a", 1);
    engine.Attach("a + 1, 2 then");
    EXPECT_EQ(engine.EvaluateNext(), "i:2");
    EXPECT_EQ(engine.expression.tokenText, ",");
    EXPECT_EQ(engine.EvaluateNext(), "i:2");
    EXPECT_EQ(engine.expression.tokenType, TokenType::Keyword);
    EXPECT_EQ(engine.expression.tokenCode, 1006);
}

TEST(Evaluator, ArrayElements)
{
    EngineHarness engine;
    DArray<int> sizes;
    sizes.items[0] = 3;
    sizes.items[1] = 4;
    ASSERT_EQ(engine.arrays.Define("m", 2, sizes), Arrays_Class::Definition::Made);
    DArray<int> at;
    at.items[0] = 2;
    at.items[1] = 3;
    engine.arrays.SetElementInt("m", at, 42);
    at.items[0] = 0;
    at.items[1] = 1;
    AnsiString text = "s";
    engine.arrays.SetElement("m", at, Tag::String, &text);
    engine.variables.SetInt("i", 2);

    EXPECT_EQ(engine.Evaluate("m[i, 1 + 2] * 2"), "i:84");
    EXPECT_EQ(engine.Evaluate("m[0,1]"), "s:s");
    EXPECT_EQ(engine.Evaluate("m[1,1]"), "error 77 at 1:6");
    EXPECT_EQ(engine.Evaluate("m[3,0]"), "error 77 at 1:6");
    EXPECT_EQ(engine.Evaluate("m[1,-1]"), "error 77 at 1:7");
    EXPECT_EQ(engine.Evaluate("m[1.5,0]"), "error 65 at 1:6");
    EXPECT_EQ(engine.Evaluate("m[1,0"), "error 66 at 1:5");
    EXPECT_EQ(engine.Evaluate("m[1 2]"), "error 66 at 1:5");
    EXPECT_EQ(engine.Evaluate("q[0]"), "error 72 at 1:4");
}

TEST(Evaluator, FunctionCallsTakePartInExpressions)
{
    EngineHarness engine;
    EXPECT_EQ(engine.Evaluate("1 + abs(-2) * 3"), "i:7");
    EXPECT_EQ(engine.Evaluate("pi() * 2"), "f:6.28318530717959");
    EXPECT_EQ(engine.Evaluate("abs(2"), "error 1 at 1:5");
}

TEST(Evaluator, GlobalExpressionHasNoOuterTable)
{
    platform::RecordingMessageBoxes boxes;
    platform::MessageBoxes* previous = &platform::messageBoxes();
    platform::setMessageBoxes(&boxes);
    Variables_Class callerVariables;
    callerVariables.SetInt("n", 4);
    Arrays_Class callerArrays;
    Expression_Class& global = GlobalExpression();
    EXPECT_EQ(&global, &GlobalExpression());

    static const char first[] = "n * 2";
    global.Attach(first, &callerVariables, &callerArrays);
    Value value;
    EXPECT_EQ(global.Evaluate(value), 'i');
    EXPECT_EQ(value.i, 8);

    static const char second[] = "_n";
    global.Attach(second, &callerVariables, &callerArrays);
    try {
        global.Evaluate(value);
        ADD_FAILURE() << "no error";
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.number, 51);
    }
    EXPECT_EQ(boxes.shown.size(), 1u);
    global.Attach("", nullptr, nullptr);
    platform::setMessageBoxes(previous);
}

TEST(Evaluator, ScanPositionOutsideTheTextReadsAsEnd)
{
    EngineHarness engine;
    Expression_Class& ex = engine.Attach("x");
    ex.scanPosition = ex.programStart + 5;
    ex.NextToken();
    EXPECT_EQ(ex.tokenCode, TokenCode::EndOfText);
    EXPECT_EQ(ex.scanPosition, ex.programStart + 1);
}

TEST(Evaluator, RememberedVariablesFollowTheirTable)
{
    EngineHarness engine;
    engine.variables.SetInt("x", 1);
    Expression_Class& ex = engine.Attach("x + 1");
    auto again = [&] {
        ex.scanPosition = ex.programStart;
        return engine.EvaluateNext();
    };
    EXPECT_EQ(again(), "i:2");
    engine.variables.SetString("x", "a");
    EXPECT_EQ(again(), "s:a1");
    // A cleared table holds new nodes; the remembered one must not be used.
    engine.variables.Clear();
    engine.variables.SetFloat("x", 0.5);
    EXPECT_EQ(again(), "f:1.5");
    // Another table (a sub's locals) is looked up on its own.
    Variables_Class locals;
    locals.SetInt("x", 10);
    ex.currentVariables = &locals;
    EXPECT_EQ(again(), "i:11");
    ex.currentVariables = &engine.variables;
    EXPECT_EQ(again(), "f:1.5");
    // A variable without a value type is no operand.
    engine.variables.Set("x", 'q', nullptr);
    EXPECT_EQ(again(), "error 0 at 1:3");

    ex.scanPosition = ex.programStart;
    ex.NextToken();
    EXPECT_EQ(ex.CurrentTokenVariable(&locals), locals.Find("x"));
    EXPECT_EQ(ex.CurrentTokenVariable(&engine.variables), engine.variables.Find("x"));
    ex.NextToken();
    EXPECT_EQ(ex.CurrentTokenVariable(&locals), nullptr);
}
