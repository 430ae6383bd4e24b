#include "builtins/FunctionFamilies.h"

#include <unordered_map>

namespace {

// Every family's rows by function code, built once. A code without a row is a
// function whose family is not available.
const std::unordered_map<int, const FunctionEntry*>& DispatchTable()
{
    static const std::unordered_map<int, const FunctionEntry*> table = [] {
        std::unordered_map<int, const FunctionEntry*> rows;
        for (auto family :
            { MathFunctionEntries(), BitFunctionEntries(), TextFunctionEntries(), FinanceFunctionEntries(),
                SignatureFunctionEntries(), RegexFunctionEntries(), RobotFunctionEntries() }) {
            for (const FunctionEntry& entry : family)
                rows.emplace(entry.code, &entry);
        }
        return rows;
    }();
    return table;
}

} // namespace

const FunctionEntry* FindFunctionEntry(int code)
{
    const auto& table = DispatchTable();
    const auto found = table.find(code);
    return found == table.end() ? nullptr : found->second;
}

DirectFunction FindDirectFunction(int code)
{
    for (const DirectFunctionEntry& entry : MathDirectEntries())
        if (entry.code == code) return entry.function;
    return nullptr;
}
