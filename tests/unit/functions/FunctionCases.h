#pragma once

#include "tests/unit/core/EngineHarness.h"

#include <gtest/gtest.h>

#include <string>

// One expression and the outcome expected from the evaluator: "i:5", "f:0.5",
// "s:abc", or "error N" (the position of an error is left out).
struct FunctionCase {
    const char* expression;
    const char* expected;
};

inline std::string EvaluateFunction(const std::string& expression)
{
    EngineHarness engine;
    engine.expression.trapFlag = 1;
    std::string outcome = engine.Evaluate(expression + "\r\n");
    const std::size_t at = outcome.find(" at ");
    if (outcome.rfind("error ", 0) == 0 && at != std::string::npos) outcome.resize(at);
    return outcome;
}

template <std::size_t N> void RunFunctionCases(const FunctionCase (&cases)[N])
{
    for (const FunctionCase& c : cases)
        EXPECT_EQ(EvaluateFunction(c.expression), c.expected) << c.expression;
}
