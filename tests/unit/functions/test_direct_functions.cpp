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
