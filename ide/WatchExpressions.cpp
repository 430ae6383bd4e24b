#include "ide/WatchExpressions.h"

#include "interpreter/Expression_class.h"
#include "interpreter/RunTimeError.h"
#include "support/FloatText.h"

#include <exception>

namespace WatchExpressions {

namespace {

AnsiString Trimmed(const AnsiString& text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == AnsiString::npos) return {};
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// The value of one expression as text, or CouldNotEvaluate.
AnsiString ValueText(const AnsiString& expression, Variables_Class* variables, Expression_Class& run)
{
    Expression_Class& watch = GlobalExpression();
    AnsiString result = CouldNotEvaluate;
    watch.Attach(expression.c_str(), variables, run.arrays);
    watch.outerVariables = run.outerVariables;
    watch.screen = run.screen;
    watch.robot = run.robot;
    watch.runState = run.runState;
    // A failing watch is shown in the trace, never in a box.
    watch.trapFlag = 1;
    try {
        Value value;
        const char tag = watch.Evaluate(value);
        // Anything after the expression makes it no expression.
        const bool whole = watch.tokenCode == TokenCode::EndOfText;
        if (whole && tag == Tag::Int)
            result = IntToStr(value.i);
        else if (whole && tag == Tag::Float)
            result = FloatToStr(value.f);
        else if (whole && tag == Tag::String)
            result = value.s;
    } catch (const RunTimeError&) {
    } catch (const std::exception&) { }
    // Nothing of the run stays reachable from the global evaluator.
    watch.Attach(nullptr, nullptr, nullptr);
    watch.screen = nullptr;
    watch.robot = nullptr;
    watch.runState = nullptr;
    watch.trapFlag = 0;
    watch.nestingDepth = 0;
    return result;
}

} // namespace

std::vector<AnsiString> Evaluate(const AnsiString& list, Variables_Class* variables, Expression_Class* run)
{
    std::vector<AnsiString> lines;
    size_t start = 0;
    for (;;) {
        const size_t bar = list.find('\\', start);
        const AnsiString piece = Trimmed(list.substr(start, bar == AnsiString::npos ? AnsiString::npos : bar - start));
        if (!piece.empty())
            lines.push_back(
                "{" + piece + "}=" + (run ? ValueText(piece, variables, *run) : AnsiString(CouldNotEvaluate)));
        if (bar == AnsiString::npos) break;
        start = bar + 1;
    }
    return lines;
}

} // namespace WatchExpressions
