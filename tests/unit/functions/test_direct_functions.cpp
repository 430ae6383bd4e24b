#include "tests/unit/core/EngineHarness.h"

#include "builtins/FunctionFamilies.h"
#include "interpreter/Codes_class.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

// A direct form must give bit for bit what the ordinary call gives, and must
// decline every argument for which the ordinary call raises an error or gives
// its catch result.

namespace {

std::string NameOf(int code)
{
    for (const Codes_Class::Node& node : Vocabulary::instance().functions.entries())
        if (node.code == code) return node.name;
    return {};
}

} // namespace

TEST(DirectFunctions, GiveWhatTheOrdinaryCallGives)
{
    const char* const arguments[] = { "0", "-0.0", "1", "-1", "0.5", "2", "-2.5", "3.141592653589793", "1e-310",
        "1e-20", "100", "-100", "709.5", "710", "800", "-800", "12000", "1e300", "-1e300", "2147483647" };
    for (const DirectFunctionEntry& entry : MathDirectEntries()) {
        const std::string name = NameOf(entry.code);
        ASSERT_FALSE(name.empty()) << entry.code;
        for (const char* argument : arguments) {
            const std::string text = name + "(" + argument + ")\r\n";
            EngineHarness engine;
            engine.expression.trapFlag = 1;
            engine.expression.compileExpressions = false;
            Expression_Class& ex = engine.Attach(text);
            Value ordinary;
            bool raised = false;
            try {
                ex.Evaluate(ordinary);
            } catch (const RunTimeError&) {
                raised = true;
            }
            double direct = 0.0;
            if (!entry.function(std::strtod(argument, nullptr), direct)) continue;
            ASSERT_FALSE(raised) << text;
            ASSERT_EQ(ordinary.tag, Tag::Float) << text;
            EXPECT_TRUE(std::isfinite(direct)) << text;
            EXPECT_EQ(std::memcmp(&direct, &ordinary.f, sizeof direct), 0)
                << text << ": " << direct << " against " << ordinary.f;
        }
    }
}

TEST(DirectFunctions, PairsGiveWhatTheOrdinaryCallGives)
{
    const char* const arguments[]
        = { "0", "1", "-1", "7", "-7", "3", "2147483647", "-2147483648", "2.5", "-0.5", "1e300" };
    for (const DirectPairFunctionEntry& entry : MathDirectPairEntries()) {
        const std::string name = NameOf(entry.code);
        ASSERT_FALSE(name.empty()) << entry.code;
        for (const char* a : arguments) {
            for (const char* b : arguments) {
                const std::string text = name + "(" + a + ", " + b + ")\r\n";
                EngineHarness engine;
                engine.expression.trapFlag = 1;
                engine.expression.compileExpressions = false;
                Expression_Class& ex = engine.Attach(text);
                Value ordinary;
                bool raised = false;
                try {
                    ex.Evaluate(ordinary);
                } catch (const RunTimeError&) {
                    raised = true;
                }
                // The literals as the tokenizer types them.
                auto literal = [](const char* number) {
                    Value v;
                    if (std::strpbrk(number, ".e") || std::strtod(number, nullptr) > 2147483647.0
                        || std::strtod(number, nullptr) < -2147483648.0)
                        v.setFloat(std::strtod(number, nullptr));
                    else
                        v.setInt(static_cast<int32_t>(std::strtoll(number, nullptr, 10)));
                    return v;
                };
                Value direct;
                if (!entry.function(literal(a), literal(b), direct)) continue;
                ASSERT_FALSE(raised) << text;
                ASSERT_EQ(direct.tag, ordinary.tag) << text;
                if (direct.tag == Tag::Int)
                    EXPECT_EQ(direct.i, ordinary.i) << text;
                else
                    EXPECT_EQ(std::memcmp(&direct.f, &ordinary.f, sizeof direct.f), 0) << text;
            }
        }
    }
}
