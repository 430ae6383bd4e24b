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

// The call works on `state` when given (the calls of one run share it),
// else on a fresh run state.
inline std::string EvaluateFunction(const std::string& expression, RunState* state = nullptr)
{
    EngineHarness engine;
    if (state) engine.expression.runState = state;
    engine.expression.trapFlag = 1;
    std::string outcome = engine.Evaluate(expression + "\r\n");
    const std::size_t at = outcome.find(" at ");
    if (outcome.rfind("error ", 0) == 0 && at != std::string::npos) outcome.resize(at);
    return outcome;
}

// The cases run in order as the calls of one run: they share its state.
template <std::size_t N> void RunFunctionCases(const FunctionCase (&cases)[N])
{
    RunState state;
    for (const FunctionCase& c : cases)
        EXPECT_EQ(EvaluateFunction(c.expression, &state), c.expected) << c.expression;
}
