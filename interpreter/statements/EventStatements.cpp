#include "interpreter/Durnix_class.h"
#include "interpreter/RunHooks.h"
#include "interpreter/statements/StatementTable.h"

#include <algorithm>

// The on-event statements, onerror, and the run loop's entries into handlers:
// raising an event, trapping an error and the debugger's step hook.

namespace {

constexpr int FirstEventCode = Code(StatementCode::Onbutton);

AnsiString NameOfValue(const Value& value)
{
    if (value.tag == Tag::Int) return std::to_string(value.i);
    if (value.tag == Tag::Float) return std::to_string(Expression_Class::ClampToInt(value.f));
    return value.s;
}

void OnEvent(Durnix_Class& d)
{
    d.SetEventHandler(d.expression.tokenCode - FirstEventCode);
}

void OnError(Durnix_Class& d)
{
    d.SetOnError();
}

} // namespace

const char* Durnix_Class::FindTarget(bool searchSubs, bool searchLabels, unsigned char* kind)
{
    Expression_Class& e = expression;
    auto lookUp = [&](std::string_view name) -> const char* {
        lastTargetName = name;
        if (searchSubs) {
            if (const char* position = subs.Find(name)) {
                if (kind) *kind = 1;
                return position;
            }
        }
        if (searchLabels) {
            if (const char* position = labels.Find(name)) {
                if (kind) *kind = 0;
                return position;
            }
        }
        return nullptr;
    };
    targetByExpression = false;
    e.NextToken();
    if (const char* position = lookUp(e.tokenText)) return position;
    targetByExpression = true;
    e.PutBack();
    Value name;
    e.Evaluate(name);
    return lookUp(NameOfValue(name));
}

void Durnix_Class::SetEventHandler(int source)
{
    Expression_Class& e = expression;
    ArmHandler(source, nullptr);
    eventHandlerKind[source] = 1;
    e.NextToken();
    if (e.endOfStatement) return;
    e.PutBack();
    unsigned char kind = 1;
    const char* position = FindTarget(true, true, &kind);
    if (!position) e.RaiseError(ErrorCode::UndefinedSub);
    ArmHandler(source, position);
    eventHandlerKind[source] = kind;
    // With an onabort handler armed, closing the screen asks the program
    // instead of stopping it.
    if (source == EventSource::Abort) screen.SetCloseMode(2);
}

void Durnix_Class::SetOnError()
{
    Expression_Class& e = expression;
    onErrorPosition = nullptr;
    e.trapFlag = 0;
    e.NextToken();
    if (e.endOfStatement) return;
    e.PutBack();
    const char* position = FindTarget(false, true, nullptr);
    if (!position) e.RaiseError(ErrorCode::UndefinedLabel);
    onErrorPosition = position;
    e.trapFlag = 1;
}

void Durnix_Class::RaiseEvent(int source)
{
    if (!eventsAllowed) return;
    const bool isSub = eventHandlerKind[source] == 1;
    const char* handler = eventHandler[source];
    if (gosubStack.count() >= MaxFrames
        || !gosubStack.Push(ifDepth, 0, 0, 0, expression.scanPosition, isSub ? currentVariables : nullptr, {}, {})) {
        ArmHandler(source, nullptr);
        expression.RaiseError(ErrorCode::TooManyNestedGosubs);
    }
    expression.scanPosition = handler;
    ifDepth = 0;
    ArmHandler(source, nullptr);
    if (isSub) SetCurrentVariables(NewLocalTable());
}

void Durnix_Class::TrapError()
{
    Expression_Class& e = expression;
    e.SkipRestOfLine();
    if (gosubStack.count() >= MaxFrames || !gosubStack.Push(ifDepth, 0, 0, 0, e.scanPosition, nullptr, {}, {})) {
        onErrorPosition = nullptr;
        e.trapFlag = 0;
        ArmHandler(EventSource::Timer, nullptr);
        e.RaiseError(ErrorCode::TooManyNestedGosubs);
    }
    e.scanPosition = onErrorPosition;
    e.tokenCode = 0;
    ifDepth = 0;
    e.trapFlag = 0;
    onErrorPosition = nullptr;
    ArmHandler(EventSource::Timer, nullptr);
}

void Durnix_Class::DebugStep()
{
    Expression_Class& e = expression;
    const char* start = e.programStart;
    const char* position = e.scanPosition;
    if (lineBreaks.text != start) {
        lineBreaks.text = start;
        lineBreaks.returns.clear();
        lineBreaks.feeds.clear();
        for (const char* p = start; *p; ++p) {
            if (*p == '\r') lineBreaks.returns.push_back(static_cast<size_t>(p - start));
            if (*p == '\n') lineBreaks.feeds.push_back(static_cast<size_t>(p - start));
        }
    }
    // Line: one more than the CRs before the position; the line starts after
    // the last LF before it.
    const size_t offset = static_cast<size_t>(position - start);
    const auto& returns = lineBreaks.returns;
    const auto& feeds = lineBreaks.feeds;
    const int line = 1 + static_cast<int>(std::lower_bound(returns.begin(), returns.end(), offset) - returns.begin());
    const auto feed = std::lower_bound(feeds.begin(), feeds.end(), offset);
    const char* lineStart = feed == feeds.begin() ? start : start + *(feed - 1) + 1;
    int column = static_cast<int>(position - lineStart) + (lineStart == start ? 0 : 1);
    const char* end = position;
    while (*end && *end != '\r' && *end != '\\')
        ++end;
    const char* text = position;
    while (text < end && Expression_Class::IsBlank(*text))
        ++text;
    column += static_cast<int>(text - position);
    const AnsiString statement(text, end);

    DebugHook& debugger = RunHooks::Debugger();
    if (statement.rfind("//", 0) == 0 && debugger.IgnoreComments()) return;
    if (statement.empty() && debugger.IgnoreEmpties()) return;
    const AnsiString trace
        = "About to execute (" + std::to_string(line) + "," + std::to_string(column) + "):" + statement;
    debugger.StepAt(
        line, column, static_cast<int>(statement.size()), trace, currentVariables, &expression, screen.stopped);
}

namespace {

const StatementEntry entries[] = {
    { StatementCode::Onerror, OnError },
    { StatementCode::Onbutton, OnEvent },
    { StatementCode::Onedit, OnEvent },
    { StatementCode::Onlistbox, OnEvent },
    { StatementCode::Onrbgroup, OnEvent },
    { StatementCode::Oncheckbox, OnEvent },
    { StatementCode::Onslider, OnEvent },
    { StatementCode::Onspinner, OnEvent },
    { StatementCode::Onmemo, OnEvent },
    { StatementCode::Ontimer, OnEvent },
    { StatementCode::Onkey, OnEvent },
    { StatementCode::Onmouse, OnEvent },
    { StatementCode::Onudp, OnEvent },
    { StatementCode::Ontcpc, OnEvent },
    { StatementCode::Ontcps, OnEvent },
    { StatementCode::Onserial, OnEvent },
    { StatementCode::Onabort, OnEvent },
};

} // namespace

const StatementFamily eventStatements = { entries, sizeof entries / sizeof entries[0] };
