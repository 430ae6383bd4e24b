#include "interpreter/Durnix_class.h"
#include "interpreter/statements/StatementParts.h"
#include "interpreter/statements/StatementTable.h"

#include <cstdint>

// IF/ELSE/ELSEIF/ENDIF, GOTO, FOR/NEXT, BREAK/CONTINUE, REPEAT/UNTIL and
// WHILE/WEND. They steer the one shared scan position: skipping a block reads
// the first token of each following statement and skips the rest of its line;
// jumping sets the scan position.

namespace {

bool IsKeyword(const Expression_Class& e, StatementCode code)
{
    return e.tokenType == TokenType::Keyword && e.tokenCode == Code(code);
}

// Reads the first token of the next statement, passing over labels and line
// numbers. Returns true at the end of the text, or at an End line that include
// expansion put in front of an included text.
bool NextStatementWord(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    int type = e.NextToken();
    while (type == TokenType::Label || type == TokenType::Number)
        type = e.NextToken();
    if (e.tokenCode == TokenCode::EndOfText) return true;
    return IsKeyword(e, StatementCode::End) && d.AtIncludeEnd();
}

void SkipRestOfStatementLine(Durnix_Class& d)
{
    if (!d.expression.endOfStatement) d.SkipLine();
}

// Reads an IF line to its end; true when it holds then (a one-line IF).
// Reaching the end of the text there is a syntax error.
bool ReadIfLine(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    bool hasThen = false;
    while (!e.endOfStatement) {
        // A character that starts no token is passed over, so that the
        // line is still read to its end.
        if (e.NextToken() == TokenType::None) ++e.scanPosition;
        if (IsKeyword(e, StatementCode::Then)) hasThen = true;
    }
    if (e.tokenCode == TokenCode::EndOfText) e.RaiseError(ErrorCode::SyntaxError);
    return hasThen;
}

[[noreturn]] void UnclosedIf(Durnix_Class& d, const char* blockStart)
{
    d.expression.scanPosition = blockStart;
    d.RaiseError(ErrorCode::IfWithoutEndIf);
}

// Skips a false IF branch: stops after an else of this IF, before an elseif of
// it (which the run loop then tests), or after its endif.
void SkipFalseBranch(Durnix_Class& d, const char* blockStart)
{
    Expression_Class& e = d.expression;
    int depth = d.ifDepth;
    for (;;) {
        if (NextStatementWord(d)) UnclosedIf(d, blockStart);
        if (e.tokenType == TokenType::Keyword) {
            switch (e.tokenCode) {
            case Code(StatementCode::If):
                if (!ReadIfLine(d)) ++depth;
                continue;
            case Code(StatementCode::Else):
                if (depth == d.ifDepth) {
                    d.SkipLine();
                    return;
                }
                break;
            case Code(StatementCode::Elseif):
                if (depth == d.ifDepth) {
                    d.ifBranchState = 1;
                    e.PutBack();
                    return;
                }
                break;
            case Code(StatementCode::Endif):
                if (--depth < d.ifDepth) {
                    --d.ifDepth;
                    d.SkipLine();
                    return;
                }
                break;
            default:
                break;
            }
        }
        SkipRestOfStatementLine(d);
    }
}

// Skips to the endif that closes the current IF after one of its branches ran.
void SkipToEndIf(Durnix_Class& d, const char* blockStart)
{
    Expression_Class& e = d.expression;
    int depth = d.ifDepth;
    for (;;) {
        if (NextStatementWord(d)) UnclosedIf(d, blockStart);
        if (IsKeyword(e, StatementCode::If)) {
            if (!ReadIfLine(d)) ++depth;
            continue;
        }
        if (IsKeyword(e, StatementCode::Endif) && --depth < d.ifDepth) {
            --d.ifDepth;
            d.SkipLine();
            return;
        }
        SkipRestOfStatementLine(d);
    }
}

void RunIf(Durnix_Class& d, bool isElseIf)
{
    const char* blockStart = d.expression.tokenStart;
    const bool condition = d.EvaluateCondition(ErrorCode::NotALogicalExpression);
    ContinueIf(d, blockStart, condition, isElseIf);
}

} // namespace

void ContinueIf(Durnix_Class& d, const char* blockStart, bool condition, bool isElseIf)
{
    Expression_Class& e = d.expression;
    d.ifBranchState = 0;
    const bool oneLine = IsKeyword(e, StatementCode::Then);
    if (condition) {
        if (oneLine) {
            if (isElseIf) e.RaiseError(ErrorCode::ThenExpected);
            return; // the statement after then runs next
        }
        if (!e.endOfStatement) e.RaiseError(ErrorCode::ThenExpected);
        if (!isElseIf) ++d.ifDepth;
        return;
    }
    if (oneLine) {
        if (isElseIf) e.RaiseError(ErrorCode::SyntaxError);
        d.SkipLine();
        return;
    }
    if (!e.endOfStatement) e.RaiseError(ErrorCode::SyntaxError);
    if (!isElseIf) ++d.ifDepth;
    SkipFalseBranch(d, blockStart);
}

namespace {

void If(Durnix_Class& d)
{
    RunIf(d, false);
}

// else, and an elseif met after a branch ran: the rest of the IF is skipped.
void Else(Durnix_Class& d)
{
    const char* blockStart = d.expression.tokenStart;
    // Checked before the line is skipped, so that the error names this line.
    if (d.ifDepth < 1) d.RaiseError(ErrorCode::ElseWithoutIf);
    d.SkipLine();
    d.ifBranchState = 0;
    SkipToEndIf(d, blockStart);
}

void ElseIf(Durnix_Class& d)
{
    if (d.ifBranchState == 1)
        RunIf(d, true);
    else
        Else(d);
}

void EndIf(Durnix_Class& d)
{
    if (d.ifDepth <= 0) d.RaiseError(ErrorCode::EndIfWithoutIf);
    --d.ifDepth;
    d.ifBranchState = 0;
    d.SkipLine();
}

void Goto(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    if (d.gotoMode < 1) {
        d.ifDepth = 0;
        d.ifBranchState = 0;
    }
    e.NextToken();
    const char* target = d.labels.Find(e.tokenText);
    if (!target) e.RaiseError(ErrorCode::UndefinedLabel);
    e.scanPosition = target;
    if (d.gotoMode == 0) d.forStack.Clear();
    if (d.gotoMode < 2) {
        d.repeatStack.Clear();
        d.whileStack.Clear();
    }
}

void For(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    if (e.NextToken() != TokenType::Variable) e.RaiseError(ErrorCode::NotAVariableName);
    const AnsiString name(e.tokenText);
    if (d.declareMode) {
        const char type = d.currentVariables->TypeOf(name);
        if (type == Tag::Float) e.RaiseError(ErrorCode::ForCounterNotInteger);
        if (type != Tag::Int) e.RaiseError(ErrorCode::VariableNotDeclared);
    }
    e.NextToken();
    if (!d.CurrentIs('=')) e.RaiseError(ErrorCode::EqualsSignExpected);
    Value start;
    if (e.Evaluate(start) != Tag::Int) e.RaiseError(ErrorCode::ForCounterNotInteger);
    d.currentVariables->SetInt(name, start.i);
    if (!IsKeyword(e, StatementCode::To)) e.RaiseError(ErrorCode::ToExpected);
    Value end;
    if (e.Evaluate(end) != Tag::Int) e.RaiseError(ErrorCode::ForCounterNotInteger);
    int32_t step = 1;
    if (IsKeyword(e, StatementCode::Step)) {
        Value written;
        if (e.Evaluate(written) != Tag::Int) e.RaiseError(ErrorCode::ForStepNotInteger);
        const int64_t magnitude = written.i < 0 ? -static_cast<int64_t>(written.i) : written.i;
        step = magnitude == 0 ? 1 : static_cast<int32_t>(magnitude > INT32_MAX ? INT32_MAX : magnitude);
    }
    // The loop counts down when the end lies below the start, whatever the
    // sign written.
    if (end.i < start.i) step = -step;
    ForStack_Node frame;
    frame.counterName = name;
    frame.endValue = end.i;
    frame.startValue = start.i;
    frame.step = step;
    frame.bodyPosition = e.scanPosition;
    if (!d.forStack.Push(frame)) e.RaiseError(ErrorCode::TooManyNestedFors);
    d.gosubStack.IncLoopCount(LoopKind::For);
}

void Next(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    ForStack_Node* frame = d.forStack.Top();
    if (!frame) e.RaiseError(ErrorCode::NextWithoutFor);
    Variables_Class& table = *d.currentVariables;
    if (!frame->counterNode || frame->counterTable != table.identity()) {
        frame->counterNode = table.Find(frame->counterName);
        frame->counterTable = table.identity();
    }
    if (!frame->counterNode) e.RaiseError(ErrorCode::VariableNotInitialized);
    Variables_Class::Node& node = *frame->counterNode;
    int64_t current;
    if (node.type == Tag::Int) {
        current = node.intValue;
    } else {
        Value counter;
        Variables_Class::CopyValue(node, counter);
        if (counter.tag == Tag::String) e.RaiseError(ErrorCode::ForCounterNotInteger);
        current = counter.tag == Tag::Int ? counter.i : Expression_Class::ClampToInt(counter.f);
    }
    const int64_t next = current + frame->step;
    // A counter that would pass the 32-bit range ends the loop instead of
    // wrapping round and running for ever.
    const bool overflowed = next > INT32_MAX || next < INT32_MIN;
    const int32_t stored = overflowed ? (next > INT32_MAX ? INT32_MAX : INT32_MIN) : static_cast<int32_t>(next);
    if (node.type == Tag::Int)
        node.intValue = stored;
    else
        Variables_Class::Store(node, Tag::Int, &stored);
    const bool finished = overflowed || (frame->step > 0 ? frame->endValue < stored : stored < frame->endValue);
    if (finished) {
        d.forStack.Pop();
        d.gosubStack.DecLoopCount(LoopKind::For);
        d.SkipLine();
    } else {
        e.scanPosition = frame->bodyPosition;
    }
}

// The forward skip of break and continue: counts nested loops until the word
// that closes the loop being left, keeping the IF depth in step with the block
// IFs passed. Returns the closing word's code, 0 at the end of the text.
int SkipToLoopEnd(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    int depth = 1;
    for (;;) {
        if (NextStatementWord(d)) return 0;
        if (e.tokenType == TokenType::Keyword) {
            switch (e.tokenCode) {
            case Code(StatementCode::For):
            case Code(StatementCode::Repeat):
            case Code(StatementCode::While):
                ++depth;
                break;
            case Code(StatementCode::Next):
            case Code(StatementCode::Until):
            case Code(StatementCode::Wend):
                if (--depth == 0) return e.tokenCode;
                break;
            case Code(StatementCode::If):
                if (!ReadIfLine(d)) ++d.ifDepth;
                continue;
            case Code(StatementCode::Endif):
                if (d.ifDepth > 0) --d.ifDepth;
                break;
            default:
                break;
            }
        }
        SkipRestOfStatementLine(d);
    }
}

void PopLoop(Durnix_Class& d, int closingCode)
{
    if (closingCode == Code(StatementCode::Next)) {
        d.forStack.Pop();
        d.gosubStack.DecLoopCount(LoopKind::For);
    } else if (closingCode == Code(StatementCode::Until)) {
        d.repeatStack.Pop();
        d.gosubStack.DecLoopCount(LoopKind::Repeat);
    } else {
        d.whileStack.Pop();
        d.gosubStack.DecLoopCount(LoopKind::While);
    }
}

void Break(Durnix_Class& d)
{
    const int closing = SkipToLoopEnd(d);
    PopLoop(d, closing);
    if (closing) d.SkipLine();
}

void Continue(Durnix_Class& d)
{
    // The closing word runs next: the loop advances or tests its condition.
    if (SkipToLoopEnd(d)) d.expression.PutBack();
}

void Repeat(Durnix_Class& d)
{
    d.SkipLine();
    if (!d.repeatStack.Push(d.expression.scanPosition)) d.RaiseError(ErrorCode::TooManyNestedRepeats);
    d.gosubStack.IncLoopCount(LoopKind::Repeat);
}

void Until(Durnix_Class& d)
{
    const char* loopStart = d.repeatStack.Top();
    if (!loopStart) d.RaiseError(ErrorCode::UntilWithoutRepeat);
    if (d.EvaluateCondition(ErrorCode::SyntaxError)) {
        d.repeatStack.Pop();
        d.gosubStack.DecLoopCount(LoopKind::Repeat);
    } else {
        d.expression.scanPosition = loopStart;
    }
}

void While(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    const char* condition = e.scanPosition;
    if (d.EvaluateCondition(ErrorCode::SyntaxError)) {
        if (!d.whileStack.Push(condition)) e.RaiseError(ErrorCode::TooManyNestedWhiles);
        d.gosubStack.IncLoopCount(LoopKind::While);
        return;
    }
    int depth = 1;
    for (;;) {
        if (NextStatementWord(d)) return;
        if (IsKeyword(e, StatementCode::While)) {
            ++depth;
        } else if (IsKeyword(e, StatementCode::Wend) && --depth == 0) {
            d.SkipLine();
            return;
        }
        SkipRestOfStatementLine(d);
    }
}

void Wend(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    const char* condition = d.whileStack.Top();
    if (!condition) e.RaiseError(ErrorCode::WendWithoutWhile);
    const char* afterWend = e.scanPosition;
    e.scanPosition = condition;
    if (d.EvaluateCondition(ErrorCode::SyntaxError)) return; // on into the body
    e.scanPosition = afterWend;
    d.whileStack.Pop();
    d.gosubStack.DecLoopCount(LoopKind::While);
}

const StatementEntry entries[] = {
    { StatementCode::If, If },
    { StatementCode::Else, Else },
    { StatementCode::Elseif, ElseIf },
    { StatementCode::Endif, EndIf },
    { StatementCode::Goto, Goto },
    { StatementCode::For, For },
    { StatementCode::Next, Next },
    { StatementCode::Break, Break },
    { StatementCode::Continue, Continue },
    { StatementCode::Repeat, Repeat },
    { StatementCode::Until, Until },
    { StatementCode::While, While },
    { StatementCode::Wend, Wend },
};

} // namespace

const StatementFamily flowStatements = { entries, sizeof entries / sizeof entries[0] };
