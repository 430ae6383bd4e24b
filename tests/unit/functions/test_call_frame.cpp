#include "FunctionCases.h"

#include "builtins/FunctionFamilies.h"
#include "interpreter/Codes_class.h"

#include <algorithm>
#include <cfenv>
#include <set>

// The call frame: parentheses, argument counts and kinds, defaults, nested
// calls, saturation of integer results and the catch results.

TEST(CallFrame, ParenthesesAndArgumentErrors)
{
    const FunctionCase cases[] = {
        { "pi()", "f:3.14159265358979" },
        { "pi( )", "f:3.14159265358979" },
        { "pi(2)", "f:6.28318530717959" },
        { "pi(\"a\")", "error 36" },
        { "pi", "error 34" },
        { "sin 1", "error 34" },
        { "sin(\"a\")", "error 36" },
        { "length(5)", "error 35" },
        { "atan2(1)", "error 37" },
        { "atan2(1, \"a\")", "error 36" },
        { "left(\"abc\", \"a\")", "error 36" },
        { "instring(\"abc\", 5)", "error 35" },
        { "sin()", "error 37" },
        { "sin(1, 2)", "error 1" },
        { "sin(1", "error 1" },
        { "maxinteger(5)", "error 1" },
        { "mininteger()", "i:-2147483648" },
        { "crlf()", "s:\r\n" },
    };
    RunFunctionCases(cases);
}

TEST(CallFrame, SignatureArguments)
{
    const FunctionCase cases[] = {
        { "substring(\"abcdef\")", "s:abcdef" },
        { "substring(\"abcdef\", 3)", "s:cdef" },
        { "substring(\"abcdef\", , 2)", "s:ab" },
        { "substring(\"abcdef\", 0, 0)", "s:abcdef" },
        { "substring(\"abcdef\", 5, 9)", "s:ef" },
        { "substring(\"abcdef\", 3,)", "s:cdef" },
        { "substring(\"\", 2, 2)", "s:" },
        { "substring()", "error 30" },
        { "substring(, 2)", "error 30" },
        { "substring(5)", "error 32" },
        { "substring(\"a\", \"b\")", "error 31" },
        { "substring(\"a\", 1, 2, 3)", "error 1" },
        { "substring(\"abc\" 2)", "error 1" },
        { "substring(\"abcdef\", 2.9, 1e12)", "s:bcdef" },
    };
    RunFunctionCases(cases);
}

TEST(CallFrame, NestedCallsKeepTheOuterArguments)
{
    const FunctionCase cases[] = {
        // The inner group-200 call fills the same argument slots as the outer one.
        { "substring(\"abcdef\", length(substring(\"xy\")), 3)", "s:bcd" },
        { "substring(substring(\"abcdef\", 2), 2, 2)", "s:cd" },
        { "left(\"abcdef\", length(left(\"xyz\", 2)))", "s:ab" },
        { "instring(substring(\"xxabc\", 2), right(\"zzabc\", 1), round(1.4))", "i:4" },
    };
    RunFunctionCases(cases);
}

TEST(CallFrame, IntegerResultsSaturate)
{
    const FunctionCase cases[] = {
        { "abs(-2147483647 - 1)", "i:2147483647" },
        { "abs(-3)", "i:3" },
        { "abs(-2.5)", "f:2.5" },
        { "hextoint(3e9)", "i:2147483647" },
        { "hextoint(-3e9)", "i:-2147483648" },
        { "round(3e9)", "i:2147483647" },
        { "rounddn(-1e19)", "i:-2147483648" },
        { "sign(-1e300)", "i:-1" },
    };
    RunFunctionCases(cases);
}

TEST(CallFrame, IntegerArgumentsWrapAndReportBeyondSixtyFourBits)
{
    const FunctionCase cases[] = {
        { "hex(3000000000)", "s:B2D05E00" },
        { "hex(1e19)", "error 42" },
        { "getbit(4294967297, 0)", "i:1" },
        { "left(\"abc\", 1e30)", "error 42" },
    };
    RunFunctionCases(cases);
}

TEST(CallFrame, LibraryFailuresGiveTheCatchResult)
{
    const FunctionCase cases[] = {
        { "factorial(171)", "f:0" },
        { "factorial(1e9)", "f:0" },
        { "exp(1000)", "f:0" },
        { "sinh(1000)", "f:0" },
        { "logb(1, 5)", "f:0" },
        { "atanh(1)", "f:0" },
        { "dftosf(1e39)", "f:0" },
        { "sftodf(2139095040)", "f:0" },
        { "sftodf(2143289344)", "f:0" },
        { "format(1, spaces(300))", "f:0" },
        { "spaces(2000000000)", "f:0" },
        { "exp(1000) + 1", "f:1" },
        // A failure in an argument is the inner call's; the outer one goes on.
        { "length(tostring(exp(1000)))", "i:1" },
        { "round(exp(1000))", "i:0" },
        { "pi(exp(1000))", "f:0" },
    };
    RunFunctionCases(cases);
}

TEST(CallFrame, FunctionsOfMissingFamiliesRaiseAClearError)
{
    // Any registered function without a dispatch row, outside group 200 and in
    // it, is refused right after its "(" whatever its arguments.
    for (int signatureGroup : { 0, 1 }) {
        const Codes_Class::Node* missing = nullptr;
        for (const Codes_Class::Node& node : Vocabulary::instance().functions.entries()) {
            if ((node.group == 200) == (signatureGroup == 1) && FindFunctionEntry(node.code) == nullptr) {
                missing = &node;
                break;
            }
        }
        if (missing == nullptr) continue;
        EngineHarness engine;
        engine.expression.trapFlag = 1;
        EXPECT_EQ(engine.Evaluate(missing->name + "(\"x\", 1)\r\n").substr(0, 8), "error 88") << missing->name;
        EXPECT_EQ(engine.expression.lastErrorText, "Function not available: " + missing->name);
    }
}

TEST(CallFrame, EveryTableRowMatchesTheVocabulary)
{
    // Each row's code is a registered function, and the rows read by signature
    // are exactly the group-200 functions.
    const Codes_Class& functions = Vocabulary::instance().functions;
    for (const Codes_Class::Node& node : functions.entries()) {
        const FunctionEntry* entry = FindFunctionEntry(node.code);
        if (entry == nullptr) continue;
        EXPECT_EQ(entry->first == FirstArgument::Signature, node.group == 200) << node.name;
        // Group 0 (strofbytes, mtype) reads its arguments by its own code
        // whatever the row's counts say; mtype's element reference is read as
        // an array name.
        if (node.maxArgs == 0 && node.group != 200 && node.group != 0 && entry->first != FirstArgument::ArrayName) {
            EXPECT_EQ(entry->first, FirstArgument::None) << node.name;
        }
    }
    // Every row of every family has a handler, and no code is served twice:
    // the dispatch table keeps one row per code.
    std::set<int> served;
    for (std::span<const FunctionEntry> family : AllFunctionFamilies()) {
        for (const FunctionEntry& entry : family) {
            const int code = Code(entry.code);
            EXPECT_NE(entry.handler, nullptr) << code;
            EXPECT_TRUE(served.insert(code).second) << "served twice: " << code;
            const bool registered = std::any_of(functions.entries().begin(), functions.entries().end(),
                [&](const Codes_Class::Node& node) { return node.code == code; });
            EXPECT_TRUE(registered) << code;
            EXPECT_EQ(FindFunctionEntry(code), &entry) << code;
        }
    }
}

TEST(CallFrame, KeywordLists)
{
    const std::string statements = EvaluateFunction("statementslist()");
    ASSERT_EQ(statements.substr(0, 4), "s:if");
    EXPECT_EQ(statements.substr(statements.size() - 11), "\r\nexit\r\nsub");
    EXPECT_EQ(EvaluateFunction("functionslist(1)"), "error 1");
}

// A handler whose work raises a floating-point condition gives the catch
// result even when what it returns looks like a number; conditions raised
// before the call (by its arguments) are not the handler's.
TEST(CallFrame, RaisedConditionsGiveTheCatchResult)
{
    struct Case {
        const char* name;
        FunctionHandler handler;
        bool raisedBefore;
        double expected;
    };
    static volatile double huge = 1e308;
    static volatile double zero = 0.0;
    const Case cases[] = {
        { "clean", [](FunctionCall& c) { c.ReturnFloat(2.0); }, false, 2.0 },
        { "overflow", [](FunctionCall& c) { huge = huge * 10, c.ReturnFloat(2.0); }, false, 0.0 },
        { "invalid", [](FunctionCall& c) { zero = zero / zero, c.ReturnInt(5); }, false, 0.0 },
        { "division by zero", [](FunctionCall& c) { zero = 1 / zero, c.ReturnInt(5); }, false, 0.0 },
        { "raised by the arguments", [](FunctionCall& c) { c.ReturnFloat(3.0); }, true, 3.0 },
    };
    for (const Case& c : cases) {
        EngineHarness engine;
        Expression_Class& ex = engine.Attach(")\r\n");
        ex.NextToken();
        const FunctionEntry entry { FunctionCode::Sin, FirstArgument::Number, c.handler };
        Value first, result;
        first.setFloat(1.0);
        std::feclearexcept(FE_ALL_EXCEPT);
        if (c.raisedBefore) huge = huge * 10;
        CallWithReadArgument(ex, entry, Code(FunctionCode::Sin), first, result);
        std::feclearexcept(FE_ALL_EXCEPT);
        huge = 1e308;
        zero = 0.0;
        EXPECT_EQ(result.asDouble(), c.expected) << c.name;
    }
}
