#include "interpreter/statements/StatementTable.h"

#include <algorithm>
#include <cstdlib>
#include <new>

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
// The highest codes lie above 100,000, yet only a few pages of the table are
// ever written: memory from calloc is zero (null handlers) without being
// touched, where a vector would clear all 800 KB at every start. The table
// lives as long as the process.
std::span<const StatementHandler> handlers()
{
    static const std::span<const StatementHandler> table = [] {
        int highest = 0;
        for (const StatementFamily* family : families)
            for (int k = 0; k < family->count; ++k)
                highest = std::max(highest, Code(family->entries[k].code));
        const size_t size = static_cast<size_t>(highest) + 1;
        auto* byCode = static_cast<StatementHandler*>(std::calloc(size, sizeof(StatementHandler)));
        if (!byCode) throw std::bad_alloc();
        // The first family to name a code keeps it.
        for (const StatementFamily* family : families)
            for (int k = 0; k < family->count; ++k) {
                const int code = Code(family->entries[k].code);
                if (code >= 0 && !byCode[static_cast<size_t>(code)])
                    byCode[static_cast<size_t>(code)] = family->entries[k].handler;
            }
        return std::span<const StatementHandler>(byCode, size);
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
    const std::span<const StatementHandler> table = handlers();
    if (code < 0 || static_cast<size_t>(code) >= table.size()) return nullptr;
    return table[static_cast<size_t>(code)];
}
