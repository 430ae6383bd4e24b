#include "interpreter/statements/StatementTable.h"

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

// The table is made once and lives as long as the process. The first family
// to name a code keeps it.
const StatementHandlerTable& handlers()
{
    static const StatementHandlerTable table = [] {
        StatementHandlerTable built;
        constexpr size_t groupSize = StatementHandlerTable::groupSize;
        for (const StatementFamily* family : families)
            for (int k = 0; k < family->count; ++k) {
                const int code = Code(family->entries[k].code);
                if (code < 0) continue;
                const size_t group = static_cast<size_t>(code) / groupSize;
                if (group >= built.blockOfGroup.size()) built.blockOfGroup.resize(group + 1, 0);
                if (built.blockOfGroup[group] == 0) {
                    built.blocks.resize(built.blocks.size() + groupSize, nullptr);
                    built.blockOfGroup[group] = static_cast<uint16_t>(built.blocks.size() / groupSize);
                }
                StatementHandler& slot
                    = built
                          .blocks[(built.blockOfGroup[group] - 1u) * groupSize + static_cast<size_t>(code) % groupSize];
                if (!slot) slot = family->entries[k].handler;
            }
        return built;
    }();
    return table;
}

} // namespace

std::span<const StatementFamily* const> StatementFamilies()
{
    return families;
}

const StatementHandlerTable& StatementHandlers()
{
    return handlers();
}

StatementHandler FindStatementHandler(int code)
{
    return handlers().Find(code);
}
