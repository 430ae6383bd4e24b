#include "interpreter/Durnix_class.h"
#include "interpreter/statements/StatementTable.h"

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

void PushFrame(Durnix_Class& d, Variables_Class* caller, const AnsiString& subName, const AnsiString& arguments,
    const Labels_Class::Node* sub)
{
    if (d.gosubStack.count() >= Durnix_Class::MaxFrames
        || !d.gosubStack.Push(d.ifDepth, 0, 0, 0, d.expression.scanPosition, caller, subName, arguments, sub))
        d.RaiseError(24);
}

void Gosub(Durnix_Class& d)
{
    const char* target = d.FindTarget(false, true, nullptr);
    if (!target) d.RaiseError(7);
    PushFrame(d, nullptr, {}, {}, nullptr);
    d.expression.scanPosition = target;
    d.ifDepth = 0;
}

void Call(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    AnsiString subName;
    int parameterCount = 0;
    const char* target = d.FindTarget(true, false, nullptr);
    if (!target) e.RaiseError(11);
    subName = d.lastTargetName;
    const Labels_Class::Node* sub = d.subs.FindNode(subName);
    static const std::vector<Labels_Class::Parameter> noParameters;
    const std::vector<Labels_Class::Parameter>& parameters = sub ? sub->parameters : noParameters;
    if (sub) parameterCount = sub->paramCount;
    d.SetParamDefaults(parameterCount < Durnix_Class::ParamSlots ? parameterCount : Durnix_Class::ParamSlots, 0, '0');

    if (!d.targetByExpression) e.NextToken();
    if (!d.CurrentIs('(')) e.RaiseError(13);
    AnsiString arguments;
    int given = 0;
    if (*e.PeekNextChar() == ')') {
        e.NextToken(); // call name() passes no arguments
    } else {
        for (;;) {
            if (given >= Durnix_Class::ParamSlots) e.RaiseError(14);
            if (e.NextToken() == TokenType::Variable) {
                arguments += e.tokenText;
                const bool byReference = given < static_cast<int>(parameters.size()) && parameters[given].byReference;
                if (!d.declareMode && byReference && !d.currentVariables->TypeOf(e.tokenText))
                    d.currentVariables->SetString(e.tokenText, AnsiString());
            }
            arguments += ',';
            e.PutBack();
            d.paramType[given] = '0';
            d.ReadOperand(given);
            ++given;
            if (!d.CurrentIs(',')) break;
            if (given >= parameterCount) e.RaiseError(14);
        }
    }
    if (!d.CurrentIs(')')) e.RaiseError(1);
    e.NextToken();

    PushFrame(d, d.currentVariables, subName, arguments, sub);
    e.scanPosition = target;
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

// Hands a CALL's result and by-reference parameters back to the caller.
void ReturnToCaller(Durnix_Class& d, const GoSubStack_Node& frame, int given)
{
    Variables_Class* locals = d.currentVariables;
    Variables_Class* caller = frame.callerVariables;
    if (!frame.subName.empty()) {
        const AnsiString resultName = frame.subName + "__Result";
        Value local;
        if (given > 0 && d.paramType[0] == Tag::Float)
            caller->SetFloat(resultName, d.paramFloat[0]);
        else if (given > 0 && d.paramType[0] == Tag::Int)
            caller->SetInt(resultName, d.paramInt[0]);
        else if (given > 0 && d.paramType[0] == Tag::String)
            caller->SetString(resultName, d.paramText[0]);
        else if (locals->Get(resultName, local))
            caller->SetValue(resultName, local);
        else
            caller->SetString(resultName, AnsiString());

        static const std::vector<Labels_Class::Parameter> noParameters;
        const std::vector<Labels_Class::Parameter>& parameters = frame.sub ? frame.sub->parameters : noParameters;
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
    if (!d.gosubStack.Top()) e.RaiseError(25);
    d.SetParamDefaults(1, 0, '0');
    int given = 0;
    d.ParseParams(0, 1, given);
    // Moved out: the frame is popped below and nothing reads it before.
    const GoSubStack_Node frame = std::move(*d.gosubStack.Top());
    e.tokenCode = 0;
    e.scanPosition = frame.returnPosition;
    if (frame.callerVariables) ReturnToCaller(d, frame, given);
    d.ifDepth = frame.savedIfDepth;
    for (int k = 0; k < frame.forCount && d.forStack.Pop(); ++k) { }
    for (int k = 0; k < frame.whileCount && d.whileStack.Pop(); ++k) { }
    for (int k = 0; k < frame.repeatCount && d.repeatStack.Pop(); ++k) { }
    d.gosubStack.Pop();
}

const StatementEntry entries[] = {
    { 1018, Gosub },
    { 1019, Call },
    { 1020, Return },
};

} // namespace

const StatementFamily subStatements = { entries, sizeof entries / sizeof entries[0] };
