#include "interpreter/Durnix_class.h"
#include "interpreter/statements/StatementTable.h"

#include <utility>

// data, dim, declare and swap: statements that create and fill variables and
// arrays.

namespace {

void Data(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    if (e.NextToken() != TokenType::Variable) e.RaiseError(ErrorCode::NotAnArray);
    const AnsiString name(e.tokenText);
    e.NextToken();
    if (!d.CurrentIs(';')) e.RaiseError(ErrorCode::SemicolonAfterArrayName);
    if (d.arrays.DimCount(name) != 1) {
        const int none[1] = { 0 };
        d.arrays.Define(name, 1, none);
    }
    for (;;) {
        Value value;
        const char tag = e.Evaluate(value);
        if (tag == Tag::Int)
            d.arrays.AppendInt(name, value.i);
        else if (tag == Tag::Float)
            d.arrays.AppendFloat(name, value.f);
        else if (tag == Tag::String)
            d.arrays.AppendString(name, value.s);
        else // an omitted value appends an element that was never set
            d.arrays.Append(name, Tag::Unset, nullptr);
        if (e.endOfStatement) return;
        if (!d.CurrentIs(',')) e.RaiseError(ErrorCode::SyntaxError);
    }
}

void Dim(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    for (;;) {
        if (e.NextToken() != TokenType::Variable) e.RaiseError(ErrorCode::NotAnArray);
        const AnsiString name(e.tokenText);
        e.NextToken();
        if (e.endOfStatement) e.RaiseError(ErrorCode::SyntaxError);
        if (!d.CurrentIs('[')) e.RaiseError(ErrorCode::ArrayDefinitionError);
        int count = 0;
        for (;;) {
            Value size;
            e.Evaluate(size);
            if (e.endOfStatement) e.RaiseError(ErrorCode::ClosingBracketExpected);
            if (size.tag != Tag::Int) e.RaiseError(ErrorCode::ArrayDimensionNotInteger);
            if (!d.indexList.EnsureIndex(count)) e.RaiseError(ErrorCode::OutOfMemory);
            d.indexList.items[count++] = size.i;
            if (d.CurrentIs(']')) break;
            if (!d.CurrentIs(',')) e.RaiseError(ErrorCode::ClosingBracketExpected);
        }
        if (d.arrays.Define(name, count, d.indexList) == Arrays_Class::Definition::Refused)
            e.RaiseError(ErrorCode::OutOfMemory);
        e.NextToken();
        if (e.endOfStatement) return;
        if (!d.CurrentIs(',')) e.RaiseError(ErrorCode::SyntaxError);
    }
}

void Declare(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    d.declareMode = 1;
    Value carried;
    carried.setInt(0);
    for (;;) {
        if (e.NextToken() != TokenType::Variable) e.RaiseError(ErrorCode::NotAVariableName);
        const AnsiString name(e.tokenText);
        e.NextToken();
        if (!e.endOfStatement && !d.CurrentIs(',')) {
            // The "=" may be left out: any other token starts the expression.
            if (!d.CurrentIs('=')) e.PutBack();
            e.Evaluate(carried);
            if (!carried.isNumber() && carried.tag != Tag::String) e.RaiseError(ErrorCode::SyntaxError);
        }
        d.currentVariables->SetValue(name, carried);
        if (e.endOfStatement) return;
        if (!d.CurrentIs(',')) e.RaiseError(ErrorCode::SyntaxError);
    }
}

// One operand of swap: a variable or an array element, with its value.
struct SwapOperand {
    AnsiString name;
    bool element = false;
    Value value;
};

SwapOperand ReadSwapOperand(Durnix_Class& d, DArray<int>& indexes)
{
    Expression_Class& e = d.expression;
    if (e.NextToken() != TokenType::Variable) e.RaiseError(ErrorCode::NotAVariableName);
    SwapOperand operand;
    operand.name = e.tokenText;
    e.NextToken();
    if (d.CurrentIs('[')) {
        const int dimensions = d.arrays.DimCount(operand.name);
        if (dimensions == 0) e.RaiseError(ErrorCode::ArrayNotDefined);
        if (d.ReadIndexList(indexes) != dimensions) e.RaiseError(ErrorCode::ArrayDefinitionError);
        operand.element = true;
        const char tag = d.arrays.GetElementType(operand.name, indexes);
        const void* cell = d.arrays.GetElement(operand.name, indexes);
        if (tag == 0) e.RaiseError(ErrorCode::IncorrectArrayIndexing);
        if (!cell) e.RaiseError(ErrorCode::ArrayElementNotInitialized);
        operand.value.load(tag, cell);
    } else if (!d.currentVariables->Get(operand.name, operand.value)) {
        e.RaiseError(ErrorCode::VariableNotInitialized);
    }
    return operand;
}

void Store(Durnix_Class& d, const SwapOperand& target, const DArray<int>& indexes, const Value& value)
{
    if (!target.element) {
        d.currentVariables->SetValue(target.name, value);
        return;
    }
    const void* cell = value.cell();
    if (!d.arrays.SetElement(target.name, indexes, value.tag, cell)) d.RaiseError(ErrorCode::IncorrectArrayIndexing);
}

void Swap(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    const SwapOperand first = ReadSwapOperand(d, d.indexList);
    if (e.endOfStatement) e.RaiseError(ErrorCode::NotEnoughParameters);
    if (!d.CurrentIs(',')) e.RaiseError(ErrorCode::SyntaxError);
    const SwapOperand second = ReadSwapOperand(d, d.elementIndexes);
    if (!e.endOfStatement) e.RaiseError(ErrorCode::SyntaxError);
    Store(d, first, d.indexList, second.value);
    Store(d, second, d.elementIndexes, first.value);
}

const StatementEntry entries[] = {
    { StatementCode::Data, Data },
    { StatementCode::Dim, Dim },
    { StatementCode::Declare, Declare },
    { StatementCode::Swap, Swap },
};

} // namespace

const StatementFamily dataStatements = { entries, sizeof entries / sizeof entries[0] };
