#include "interpreter/Durnix_class.h"
#include "interpreter/statements/StatementParts.h"
#include "interpreter/statements/StatementTable.h"

#include <utility>
#include <vector>

// GOSUB to a label (sharing the caller's variables), CALL of a sub (with a
// fresh variable table, by-value and by-reference parameters and a result),
// and RETURN from both.

namespace {

// Item k of a comma-terminated list, empty when there is none.
AnsiString ListItem(const AnsiString& list, int k)
{
    size_t start = 0;
    for (int item = 0; item < k; ++item) {
        start = list.find(',', start);
        if (start == AnsiString::npos) return {};
        ++start;
    }
    size_t comma = list.find(',', start);
    return list.substr(start, comma == AnsiString::npos ? AnsiString::npos : comma - start);
}

[[noreturn]] void TooManyFrames(Durnix_Class& d)
{
    d.RaiseError(ErrorCode::TooManyNestedGosubs);
}

void Gosub(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    // A label named directly is the common case; anything else (a name held
    // in a variable, an expression) takes the general lookup, which reads the
    // same token again.
    e.NextToken();
    const Labels_Class::Node* label = d.labels.FindNode(e.tokenText);
    const char* target = label ? label->position : nullptr;
    if (!target) {
        e.PutBack();
        target = d.FindTarget(false, true, nullptr);
        if (!target) d.RaiseError(ErrorCode::UndefinedLabel);
    }
    if (d.gosubStack.count() >= Durnix_Class::MaxFrames || !d.gosubStack.PushGosub(d.ifDepth, e.scanPosition))
        TooManyFrames(d);
    e.scanPosition = target;
    d.ifDepth = 0;
}

// The sub a CALL names, with its name token (or the expression giving the
// name) read.
const Labels_Class::Node* FindCalledSub(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    e.NextToken();
    if (const Labels_Class::Node* sub = d.subs.FindNode(e.tokenText)) {
        d.targetByExpression = false;
        e.NextToken();
        return sub;
    }
    e.PutBack();
    if (!d.FindTarget(true, false, nullptr)) e.RaiseError(ErrorCode::UndefinedSub);
    const Labels_Class::Node* sub = d.subs.FindNode(d.lastTargetName);
    if (!sub) e.RaiseError(ErrorCode::UndefinedSub);
    if (!d.targetByExpression) e.NextToken();
    return sub;
}

void Call(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    const Labels_Class::Node* sub = FindCalledSub(d);
    const std::vector<Labels_Class::Parameter>& parameters = sub->parameters;
    const int parameterCount = sub->paramCount;
    d.SetParamDefaults(parameterCount < Durnix_Class::ParamSlots ? parameterCount : Durnix_Class::ParamSlots, 0, '0');

    if (!d.CurrentIs('(')) e.RaiseError(ErrorCode::SubNeedsParenthesis);
    // The argument names matter only for writing by-reference parameters back.
    const bool keepArguments = sub->hasByReference;
    AnsiString arguments;
    int given = 0;
    if (*e.PeekNextChar() == ')') {
        e.NextToken(); // call name() passes no arguments
    } else {
        for (;;) {
            if (given >= Durnix_Class::ParamSlots) e.RaiseError(ErrorCode::TooManyParameters);
            if (e.NextToken() == TokenType::Variable) {
                if (keepArguments) arguments += e.tokenText;
                const bool byReference = given < static_cast<int>(parameters.size()) && parameters[given].byReference;
                if (!d.declareMode && byReference && !d.currentVariables->TypeOf(e.tokenText))
                    d.currentVariables->SetString(e.tokenText, AnsiString());
            }
            if (keepArguments) arguments += ',';
            e.PutBack();
            d.paramType[given] = '0';
            d.ReadOperand(given);
            ++given;
            if (!d.CurrentIs(',')) break;
            if (given >= parameterCount) e.RaiseError(ErrorCode::TooManyParameters);
        }
    }
    if (!d.CurrentIs(')')) e.RaiseError(ErrorCode::UnbalancedParenthesis);
    e.NextToken();
    EnterSub(d, sub, given, std::move(arguments));
}

} // namespace

void EnterSub(Durnix_Class& d, const Labels_Class::Node* sub, int given, AnsiString&& arguments)
{
    Expression_Class& e = d.expression;
    const std::vector<Labels_Class::Parameter>& parameters = sub->parameters;
    if (d.gosubStack.count() >= Durnix_Class::MaxFrames
        || !d.gosubStack.PushCall(d.ifDepth, e.scanPosition, d.currentVariables, sub, std::move(arguments)))
        TooManyFrames(d);
    e.scanPosition = sub->position;
    d.ifDepth = 0;
    Variables_Class* locals = d.NewLocalTable();
    d.SetCurrentVariables(locals);
    for (int k = 0; k < given; ++k) {
        const std::string_view name
            = k < static_cast<int>(parameters.size()) ? std::string_view(parameters[k].name) : std::string_view();
        switch (d.paramType[k]) {
        case Tag::Float:
            locals->SetFloat(name, d.paramFloat[k]);
            break;
        case Tag::Int:
            locals->SetInt(name, d.paramInt[k]);
            break;
        case Tag::String:
            locals->SetString(name, d.paramText[k]);
            break;
        default: // omitted: nothing is created
            break;
        }
    }
}

namespace {

// Hands a CALL's result and by-reference parameters back to the caller.
void ReturnToCaller(Durnix_Class& d, const GoSubStack_Node& frame, int given)
{
    Variables_Class* locals = d.currentVariables;
    Variables_Class* caller = frame.callerVariables;
    if (frame.sub || !frame.subName.empty()) {
        AnsiString named;
        const AnsiString& resultName = frame.sub ? frame.sub->resultName : (named = frame.subName + "__Result");
        const uint64_t resultHash = frame.sub ? frame.sub->resultHash : Variables_Class::HashName(resultName);
        // A loop that calls one sub finds the result's node as it left it.
        Durnix_Class::ResultNode& last = d.lastResult;
        if (!frame.sub || last.sub != frame.sub || last.table != caller->identity() || !last.node) {
            last.node = &caller->FindOrAppendHashed(resultName, resultHash);
            last.sub = frame.sub;
            last.table = caller->identity();
        }
        Variables_Class::Node& result = *last.node;
        Value local;
        if (given > 0 && d.paramType[0] == Tag::Float) {
            Variables_Class::Store(result, Tag::Float, &d.paramFloat[0]);
        } else if (given > 0 && d.paramType[0] == Tag::Int) {
            Variables_Class::Store(result, Tag::Int, &d.paramInt[0]);
        } else if (given > 0 && d.paramType[0] == Tag::String) {
            Variables_Class::Store(result, Tag::String, &d.paramText[0]);
        } else if (const Variables_Class::Node* own = locals->FindHashed(resultName, resultHash)) {
            Variables_Class::CopyValue(*own, local);
            Variables_Class::StoreValue(result, local);
        } else {
            const AnsiString empty;
            Variables_Class::Store(result, Tag::String, &empty);
        }

        static const std::vector<Labels_Class::Parameter> noParameters;
        const std::vector<Labels_Class::Parameter>& parameters
            = frame.sub && frame.sub->hasByReference ? frame.sub->parameters : noParameters;
        for (size_t k = 0; k < parameters.size(); ++k) {
            if (!parameters[k].byReference) continue;
            const AnsiString target = ListItem(frame.argumentText, static_cast<int>(k));
            // Only a variable that exists on both sides is written back.
            if (target.empty() || !caller->TypeOf(target) || !locals->Get(parameters[k].name, local)) continue;
            caller->SetValue(target, local);
        }
    }
    d.SetCurrentVariables(caller);
    d.ReleaseLocalTable(locals);
}

void Return(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    if (!d.gosubStack.Top()) e.RaiseError(ErrorCode::ReturnWithoutGosub);
    d.SetParamDefaults(1, 0, '0');
    int given = 0;
    // A bare return (the common case) reads just its end of statement.
    e.NextToken();
    if (!e.endOfStatement) {
        e.PutBack();
        d.ParseParams(0, 1, given);
    }
    LeaveFrame(d, given);
}

} // namespace

void LeaveFrame(Durnix_Class& d, int given)
{
    Expression_Class& e = d.expression;
    // Read in place: nothing below pushes a frame, and it is popped last.
    const GoSubStack_Node& frame = *d.gosubStack.Top();
    e.tokenCode = 0;
    e.scanPosition = frame.returnPosition;
    if (frame.callerVariables) ReturnToCaller(d, frame, given);
    d.ifDepth = frame.savedIfDepth;
    for (int k = 0; k < frame.forCount && d.forStack.Pop(); ++k) { }
    for (int k = 0; k < frame.whileCount && d.whileStack.Pop(); ++k) { }
    for (int k = 0; k < frame.repeatCount && d.repeatStack.Pop(); ++k) { }
    d.gosubStack.Pop();
}

namespace {

const StatementEntry entries[] = {
    { StatementCode::Gosub, Gosub },
    { StatementCode::Call, Call },
    { StatementCode::Return, Return },
};

} // namespace

const StatementFamily subStatements = { entries, sizeof entries / sizeof entries[0] };
