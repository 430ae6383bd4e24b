#include "interpreter/Durnix_class.h"
#include "interpreter/Operators.h"
#include "interpreter/statements/ItemText.h"
#include "interpreter/statements/StatementTable.h"
#include "support/FloatText.h"

#include <cmath>

// print/write, input, waitkey and xystring: values between a program and its
// console on the run-time screen.

namespace {

constexpr int TabWidth = 8;

void AppendValue(AnsiString& text, const Value& value)
{
    if (value.tag == Tag::Int)
        text += std::to_string(value.i);
    else if (value.tag == Tag::Float)
        text += FloatToStr(value.f);
    else
        text += value.s;
}

void PadToTabStop(AnsiString& text)
{
    text.append(TabWidth - text.size() % TabWidth, ' ');
}

} // namespace

bool BuildItems(Durnix_Class& d, AnsiString& text, char padSeparator, char joinSeparator)
{
    Expression_Class& e = d.expression;
    for (;;) {
        Value item;
        e.Evaluate(item);
        if (item.tag == Tag::Omitted) e.RaiseError(ErrorCode::SyntaxError);
        if (!Operators::JoinText(text, item)) e.RaiseError(ErrorCode::OutOfMemory);
        if (e.endOfStatement) return false;
        if (d.CurrentIs(padSeparator))
            PadToTabStop(text);
        else if (!d.CurrentIs(joinSeparator))
            e.RaiseError(ErrorCode::SyntaxError);
        e.NextToken();
        if (e.endOfStatement) return true;
        e.PutBack();
    }
}

namespace {

void Print(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    AnsiString text;
    e.NextToken();
    bool lineOpen = false;
    if (!e.endOfStatement) {
        e.PutBack();
        lineOpen = BuildItems(d, text, d.tabSeparator, d.plainSeparator);
    }
    const NewLine newLine = lineOpen ? NewLine::No : NewLine::Yes;
    RunConsole& console = d.screen.Console();
    if (!d.honourCrLf) {
        console.PrintText(text, newLine);
        return;
    }
    // Each CR (and one LF right after it) ends a printed line.
    size_t start = 0;
    for (;;) {
        size_t cr = text.find('\r', start);
        if (cr == AnsiString::npos) break;
        console.PrintText(text.substr(start, cr - start), NewLine::Yes);
        start = cr + 1;
        if (start < text.size() && text[start] == '\n') ++start;
    }
    console.PrintText(text.substr(start), newLine);
}

// Reads "name" or "name[i, ...]" as an input or swap target.
struct Target {
    AnsiString name;
    bool element = false;
    int indexCount = 0;
};

Target ReadTarget(Durnix_Class& d, DArray<int>& indexes)
{
    Expression_Class& e = d.expression;
    Target target;
    target.name = e.tokenText;
    e.NextToken();
    if (d.CurrentIs('[')) {
        if (d.arrays.DimCount(target.name) == 0) e.RaiseError(ErrorCode::ArrayNotDefined);
        target.indexCount = d.ReadIndexList(indexes);
        target.element = true;
    }
    return target;
}

void StoreInput(Durnix_Class& d, const Target& target, const AnsiString& answer)
{
    Expression_Class& e = d.expression;
    double number = 0.0;
    const char tag = Expression_Class::TextToNumber(answer, number);
    Value value;
    if (tag == Tag::Int)
        value.setInt(static_cast<int32_t>(number));
    else if (tag == Tag::Float)
        value.setFloat(number);
    else
        value.setString(answer);

    if (target.element) {
        const void* cell = value.cell();
        if (!d.arrays.SetElement(target.name, d.elementIndexes, value.tag, cell))
            e.RaiseError(ErrorCode::IncorrectArrayIndexing);
        return;
    }
    Variables_Class& table = *d.currentVariables;
    if (!d.declareMode) {
        table.SetValue(target.name, value);
        return;
    }
    switch (table.TypeOf(target.name)) {
    case Tag::String:
        table.SetString(target.name, answer);
        break;
    case Tag::Float:
        if (!value.isNumber()) e.RaiseError(ErrorCode::NeedNumberInput);
        table.SetFloat(target.name, value.asDouble());
        break;
    default:
        if (!value.isNumber()) e.RaiseError(ErrorCode::NeedNumberInput);
        if (value.tag == Tag::Int)
            table.SetInt(target.name, value.i);
        else
            table.SetInt(target.name, e.RoundToIntChecked(value.f, true));
        break;
    }
}

// The optional prompt of input and waitkey: an expression (a number becomes
// its text) followed by ",", present when the statement does not begin with a
// variable name. Leaves the first target's token current.
AnsiString ReadPrompt(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    e.NextToken();
    if (e.endOfStatement) e.RaiseError(ErrorCode::NotEnoughParameters);
    AnsiString prompt;
    if (e.tokenType != TokenType::Variable) {
        e.PutBack();
        Value value;
        e.Evaluate(value);
        AppendValue(prompt, value);
        if (!d.CurrentIs(',')) e.RaiseError(ErrorCode::SyntaxError);
        e.NextToken();
    }
    return prompt;
}

void Input(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    AnsiString prompt = ReadPrompt(d);
    if (prompt.empty()) prompt = ">";

    RunScreen& screen = d.screen;
    while (e.tokenType == TokenType::Variable && !screen.stopped) {
        const Target target = ReadTarget(d, d.elementIndexes);
        if (d.declareMode && !target.element && !d.currentVariables->TypeOf(target.name))
            e.RaiseError(ErrorCode::VariableNotDeclared);

        AnsiString thisPrompt = prompt;
        const size_t bar = prompt.find('|');
        if (bar != AnsiString::npos) {
            thisPrompt = prompt.substr(0, bar);
            prompt = prompt.substr(bar + 1);
        } else if (d.inlineInputMode) {
            prompt = ">";
        }

        const AnsiString answer = d.inlineInputMode ? screen.Console().InputLineInPlace(thisPrompt)
                                                    : screen.Console().InputLine(thisPrompt);
        if (screen.stopped) return;
        StoreInput(d, target, answer);

        if (e.endOfStatement) return;
        if (d.CurrentIs(',')) e.NextToken();
    }
    if (!e.endOfStatement && !screen.stopped) e.RaiseError(ErrorCode::NotAVariableName);
}

void WaitKey(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    AnsiString prompt = ReadPrompt(d);
    if (e.tokenType != TokenType::Variable) e.RaiseError(ErrorCode::NotAVariableName);
    const AnsiString name(e.tokenText);
    e.NextToken();
    if (prompt.empty()) prompt = "Press Any Key...";
    const int key
        = d.inlineInputMode ? d.screen.Console().PrintAndWaitKey(prompt) : d.screen.Console().WaitKeyWithPrompt(prompt);
    if (d.screen.stopped) return;
    d.currentVariables->SetInt(name, key);
}

void XyString(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    int coordinates[2] = { 0, 0 };
    for (int k = 0; k < 2; ++k) {
        Value value;
        char tag = e.Evaluate(value);
        if (tag == Tag::Omitted || e.endOfStatement) e.RaiseError(ErrorCode::NotEnoughParameters);
        if (!value.isNumber()) e.RaiseError(ErrorCode::ParameterShouldBeNumeric);
        coordinates[k] = tag == Tag::Int ? value.i : e.RoundToIntChecked(value.f, false);
        if (!d.CurrentIs(',') && !d.CurrentIs(';')) e.RaiseError(ErrorCode::SyntaxError);
    }
    AnsiString text;
    BuildItems(d, text, ';', ',');
    d.screen.Console().TextAt(coordinates[0], coordinates[1], text);
}

const StatementEntry entries[] = {
    { StatementCode::Print, Print },
    { StatementCode::Input, Input },
    { StatementCode::Waitkey, WaitKey },
    { StatementCode::Xystring, XyString },
};

} // namespace

const StatementFamily consoleStatements = { entries, sizeof entries / sizeof entries[0] };
