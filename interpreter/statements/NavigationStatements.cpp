#include "interpreter/Durnix_class.h"
#include "interpreter/statements/StatementTable.h"
#include "support/Navigation_class.h"

#include <array>

// The navigation statements ngc_, nrl_ and nwt_: their numbers in, their
// results into the variables named after them, as doubles.

namespace {

constexpr int FirstCode = Code(StatementCode::NgcDistanceheading);

void Navigate(Durnix_Class& d)
{
    const int op = d.expression.tokenCode - FirstCode;
    if (op < 0 || op >= Navigation_Class::OperationCount) d.RaiseError(ErrorCode::SyntaxError);
    const int inputs = Navigation_Class::inputCounts[op];
    const int outputs = Navigation_Class::outputCounts[op];
    d.SetParamDefaults(inputs + outputs, 0, 'f');
    for (int k = inputs; k < inputs + outputs; ++k)
        d.paramType[k] = 'v';
    int given = 0;
    d.ParseParamsWithNames(inputs + outputs, inputs + outputs, given);
    double results[4] = {};
    Navigation_Class::Compute(op, d.paramFloat, results);
    for (int k = 0; k < outputs; ++k)
        if (d.currentVariables->SetFloat(d.paramText[inputs + k], results[k]) != 1)
            d.RaiseError(ErrorCode::TooManyVariables);
}

constexpr auto entries = [] {
    std::array<StatementEntry, Navigation_Class::OperationCount> list {};
    for (int k = 0; k < Navigation_Class::OperationCount; ++k)
        list[static_cast<size_t>(k)] = StatementEntry { static_cast<StatementCode>(FirstCode + k), Navigate };
    return list;
}();

} // namespace

const StatementFamily navigationStatements = { entries.data(), static_cast<int>(entries.size()) };
