#include "builtins/FunctionFamilies.h"
#include "interpreter/arrays/Arrays_class.h"
#include "support/FloatText.h"
#include "support/LibraryFailure.h"
#include "support/TextAlgorithms.h"

// The functions that take an array's name: statistics over values and
// weights, statistics over every element, the dimensions, the elements joined
// into one text, and the type of one element. An error number an array
// operation answers is raised.

namespace {

// The array the call names; error 72 when it is not defined.
const AnsiString& ArrayName(FunctionCall& call)
{
    if (!call.ex.arrays || !call.ex.arrays->Find(call.FirstText())) call.Raise(ErrorCode::ArrayNotDefined);
    return call.FirstText();
}

void ReturnStatistic(FunctionCall& call, ArrayResult error, double value)
{
    if (error) call.Raise(*error);
    call.ReturnFloat(value);
}

using Statistic = ArrayResult (Arrays_Class::*)(std::string_view, double&);

template <Statistic statistic> void Describe(FunctionCall& call)
{
    const AnsiString& name = ArrayName(call);
    double value = 0;
    const ArrayResult error = (call.ex.arrays->*statistic)(name, value);
    ReturnStatistic(call, error, value);
}

// msum to mstddev: statistic 0 to 7 over every numeric element.
void AllElements(FunctionCall& call)
{
    const AnsiString& name = ArrayName(call);
    double value = 0;
    const ArrayResult error = call.ex.arrays->AllElementsStatistic(name, call.code - Code(FunctionCode::Msum), value);
    ReturnStatistic(call, error, value);
}

void DimensionCount(FunctionCall& call)
{
    call.ReturnInt(call.ex.arrays ? call.ex.arrays->DimCount(call.FirstText()) : 0);
}

// The separator of mtostring: any value, as text; none means CR LF.
AnsiString JoinedText(FunctionCall& call, bool separatorAllowed)
{
    const AnsiString& name = ArrayName(call);
    AnsiString separator;
    if (separatorAllowed && call.HasMore()) {
        const Value v = call.NextValue();
        separator = v.tag == Tag::String ? v.s : v.tag == Tag::Int ? IntToStr(v.i) : FloatToStr(v.f);
    }
    AnsiString text;
    const ArrayResult error = call.ex.arrays->ToText(name, text, separator);
    // A text past the bound of every text is a failed allocation, which gives
    // the call its failure value as in the other text functions.
    if (error == ErrorCode::OutOfMemory) throw LibraryFailure { "Out of memory" };
    if (error) call.Raise(*error);
    return text;
}

void ToText(FunctionCall& call)
{
    call.ReturnText(JoinedText(call, true));
}

void ToCommaText(FunctionCall& call)
{
    call.ReturnText(TextAlgorithms::CommaText(JoinedText(call, false)));
}

// mtype(a[i, j, ...]): the element's tag, 0 when unset or outside.
void ElementType(FunctionCall& call)
{
    const AnsiString& name = ArrayName(call);
    Expression_Class& ex = call.ex;
    auto current = [&ex](char c) {
        return ex.tokenType == TokenType::Delimiter && ex.tokenText.size() == 1 && ex.tokenText[0] == c;
    };
    if (!current('[')) call.Raise(ErrorCode::ArrayDefinitionError);
    DArray<int> indexes { 10 };
    int count = 0;
    for (;;) {
        Value index;
        ex.Evaluate(index);
        if (index.tag != Tag::Int) call.Raise(ErrorCode::ArrayDimensionNotInteger);
        if (!indexes.EnsureIndex(count)) call.Raise(ErrorCode::OutOfMemory);
        indexes.items[count++] = index.i;
        if (current(']')) break;
        if (!current(',')) call.Raise(ErrorCode::ClosingBracketExpected);
    }
    ex.NextToken();
    const Arrays_Class::Node* node = ex.arrays->Find(name);
    char type = 0;
    if (count == node->dimCount) {
        type = ex.arrays->GetElementType(name, indexes);
        if (type == Tag::Unset) type = 0;
    }
    call.ReturnInt(static_cast<unsigned char>(type));
}

constexpr FunctionEntry entries[] = {
    { FunctionCode::Sum, FirstArgument::ArrayName, Describe<&Arrays_Class::WeightedSum> },
    { FunctionCode::Average, FirstArgument::ArrayName, Describe<&Arrays_Class::WeightedMean> },
    { FunctionCode::Median, FirstArgument::ArrayName, Describe<&Arrays_Class::Median> },
    { FunctionCode::Max, FirstArgument::ArrayName, Describe<&Arrays_Class::Maximum> },
    { FunctionCode::Min, FirstArgument::ArrayName, Describe<&Arrays_Class::Minimum> },
    { FunctionCode::Range, FirstArgument::ArrayName, Describe<&Arrays_Class::Range> },
    { FunctionCode::Count, FirstArgument::ArrayName, Describe<&Arrays_Class::Count> },
    { FunctionCode::Variance, FirstArgument::ArrayName, Describe<&Arrays_Class::Variance> },
    { FunctionCode::Stddev, FirstArgument::ArrayName, Describe<&Arrays_Class::StdDev> },
    { FunctionCode::Corrcoef, FirstArgument::ArrayName, Describe<&Arrays_Class::Correlation> },
    { FunctionCode::Msum, FirstArgument::ArrayName, AllElements },
    { FunctionCode::Maverage, FirstArgument::ArrayName, AllElements },
    { FunctionCode::Mmin, FirstArgument::ArrayName, AllElements },
    { FunctionCode::Mmax, FirstArgument::ArrayName, AllElements },
    { FunctionCode::Mcount, FirstArgument::ArrayName, AllElements },
    { FunctionCode::Mrange, FirstArgument::ArrayName, AllElements },
    { FunctionCode::Mvariance, FirstArgument::ArrayName, AllElements },
    { FunctionCode::Mstddev, FirstArgument::ArrayName, AllElements },
    { FunctionCode::Mdim, FirstArgument::ArrayName, DimensionCount },
    { FunctionCode::Mtostring, FirstArgument::ArrayName, ToText },
    { FunctionCode::Mtocommatext, FirstArgument::ArrayName, ToCommaText },
    { FunctionCode::Mtype, FirstArgument::ArrayName, ElementType },
    // maxdim(a, k) is read by signature: the name is checked there.
    { FunctionCode::Maxdim, FirstArgument::Signature,
        [](FunctionCall& call) {
            const Expression_Class& ex = call.ex;
            const int size = ex.arrays->DimSize(ex.argText[0], ex.argInt[1]);
            if (size == 0) call.Raise(ErrorCode::NotAnArray);
            call.ReturnInt(size);
        } },
};

} // namespace

std::span<const FunctionEntry> ArrayFunctionEntries()
{
    return entries;
}
