#include "interpreter/statements/StatementTable.h"

#include <unordered_map>

namespace {

const StatementFamily* const families[] = {
    &flowStatements,
    &subStatements,
    &eventStatements,
    &consoleStatements,
    &dataStatements,
    &drawingStatements,
    &robotStatements,
};

const std::unordered_map<int, StatementHandler>& handlers()
{
    static const std::unordered_map<int, StatementHandler> table = [] {
        std::unordered_map<int, StatementHandler> map;
        for (const StatementFamily* family : families)
            for (int k = 0; k < family->count; ++k)
                map.emplace(family->entries[k].code, family->entries[k].handler);
        return map;
    }();
    return table;
}

} // namespace

StatementHandler FindStatementHandler(int code)
{
    const auto& table = handlers();
    auto found = table.find(code);
    return found == table.end() ? nullptr : found->second;
}
