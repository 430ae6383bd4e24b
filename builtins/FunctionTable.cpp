#include "builtins/FunctionFamilies.h"

#include <unordered_map>

namespace {

// Every family's rows by function code, built once. A code without a row is a
// function whose family is not available.
const std::unordered_map<int, const FunctionEntry*>& DispatchTable()
{
    static const std::unordered_map<int, const FunctionEntry*> table = [] {
        std::unordered_map<int, const FunctionEntry*> rows;
        for (std::span<const FunctionEntry> family : AllFunctionFamilies()) {
            for (const FunctionEntry& entry : family)
                rows.emplace(Code(entry.code), &entry);
        }
        return rows;
    }();
    return table;
}

} // namespace

const std::vector<std::span<const FunctionEntry>>& AllFunctionFamilies()
{
    static const std::vector<std::span<const FunctionEntry>> families { MathFunctionEntries(), BitFunctionEntries(),
        TextFunctionEntries(), FinanceFunctionEntries(), SignatureFunctionEntries(), RegexFunctionEntries(),
        RobotFunctionEntries(), UsbFunctionEntries(), NetworkFunctionEntries(), DateFunctionEntries(),
        SystemFunctionEntries(), DialogFunctionEntries(), ColourFunctionEntries(), ArrayFunctionEntries(),
        // Files, folders, byte buffers, file dialogs and processes.
        OpenFileFunctionEntries(), FolderFunctionEntries(), ByteBufferFunctionEntries(), FileDialogFunctionEntries(),
        ProcessFunctionEntries(), ControlFunctionEntries(), MediaFunctionEntries(), TextMetricFunctionEntries() };
    return families;
}

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

DirectPairFunction FindDirectPairFunction(int code)
{
    for (const DirectPairFunctionEntry& entry : MathDirectPairEntries())
        if (entry.code == code) return entry.function;
    return nullptr;
}

DirectTextFunction FindDirectTextFunction(int code, bool* givesNumber)
{
    for (const DirectTextFunctionEntry& entry : TextDirectEntries()) {
        if (entry.code != code) continue;
        if (givesNumber) *givesNumber = entry.givesNumber;
        return entry.function;
    }
    return nullptr;
}

bool ReadsFirstTextInPlace(int code)
{
    for (FunctionCode reader : TextInPlaceReaders())
        if (Code(reader) == code) return true;
    return false;
}
