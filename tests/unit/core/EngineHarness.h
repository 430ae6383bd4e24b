#pragma once

#include "interpreter/Expression_class.h"
#include "interpreter/RunState.h"
#include "interpreter/Variables_class.h"
#include "interpreter/arrays/Arrays_class.h"
#include "platform/MessageBoxes.h"
#include "support/FloatText.h"

#include <string>

// Runs the evaluator over a program text the way a statement handler does, and
// describes the outcome as one short text: "i:5", "f:0.5", "s:abc", ",", or
// "error 40 at 1:7" (error number, line and column). Message boxes are
// recorded instead of shown.
class EngineHarness {
public:
    EngineHarness()
        : previousBoxes(&platform::messageBoxes())
    {
        platform::setMessageBoxes(&boxes);
        expression.runState = &runState;
    }
    ~EngineHarness() { platform::setMessageBoxes(previousBoxes); }

    // Attaches to text (kept alive here) with the harness's variable and
    // array tables; the main table is also the outer table.
    Expression_Class& Attach(const std::string& text)
    {
        program = text;
        expression.Attach(program.c_str(), &variables, &arrays);
        expression.outerVariables = &outerVariables;
        return expression;
    }

    // Evaluates the first expression of text.
    std::string Evaluate(const std::string& text)
    {
        Attach(text);
        return EvaluateNext();
    }

    // Evaluates the next expression at the current scan position.
    std::string EvaluateNext()
    {
        try {
            Value value;
            char tag = expression.Evaluate(value);
            return Describe(tag, value);
        } catch (const RunTimeError& error) {
            return "error " + std::to_string(error.number) + " at " + std::to_string(error.line) + ":"
                + std::to_string(error.column);
        }
    }

    static std::string Describe(char tag, const Value& value)
    {
        switch (tag) {
        case Tag::Int:
            return "i:" + std::to_string(value.i);
        case Tag::Float:
            return "f:" + FloatToStr(value.f);
        case Tag::String:
            return "s:" + value.s;
        default:
            return std::string(1, tag);
        }
    }

    std::string program;
    Variables_Class variables;
    Variables_Class outerVariables;
    Arrays_Class arrays;
    RunState runState;
    Expression_Class expression;
    platform::RecordingMessageBoxes boxes;

private:
    platform::MessageBoxes* previousBoxes;
};
