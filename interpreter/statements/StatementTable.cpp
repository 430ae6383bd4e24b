#include "interpreter/statements/StatementTable.h"

#include <algorithm>
#include <vector>

namespace {

const StatementFamily* const families[] = {
    &flowStatements,
    &subStatements,
    &eventStatements,
    &consoleStatements,
    &dataStatements,
    &drawingStatements,
    &robotStatements,
    &mailStatements,
    &debugStatements,
    &commandStatements,
    &valueStatements,
    &navigationStatements,
    &portStatements,
    &portReadStatements,
    &matrixStatements,
    &projectionStatements,
    &polyfitStatement,
    &plotStatements,
    &filePrintStatements,
    &imageStatements,
    &arrayPictureStatements,
    &controlStatements,
    &mediaStatements,
};

// Statement codes are small positive numbers, so the handlers sit in a flat
// table indexed by code: the run loop finds one per statement without hashing.
const std::vector<StatementHandler>& handlers()
{
    static const std::vector<StatementHandler> table = [] {
        int highest = 0;
        for (const StatementFamily* family : families)
            for (int k = 0; k < family->count; ++k)
                highest = std::max(highest, Code(family->entries[k].code));
        std::vector<StatementHandler> byCode(static_cast<size_t>(highest) + 1, nullptr);
        // The first family to name a code keeps it.
        for (const StatementFamily* family : families)
            for (int k = 0; k < family->count; ++k) {
                const int code = Code(family->entries[k].code);
                if (code >= 0 && !byCode[static_cast<size_t>(code)])
                    byCode[static_cast<size_t>(code)] = family->entries[k].handler;
            }
        return byCode;
    }();
    return table;
}

} // namespace

std::span<const StatementFamily* const> StatementFamilies()
{
    return families;
}

std::span<const StatementHandler> StatementHandlers()
{
    return handlers();
}

StatementHandler FindStatementHandler(int code)
{
    const auto& table = handlers();
    if (code < 0 || static_cast<size_t>(code) >= table.size()) return nullptr;
    return table[static_cast<size_t>(code)];
}
