#pragma once

#include "interpreter/KeywordCodes.h"

#include <cstdint>
#include <span>
#include <vector>

class Durnix_Class;

// Every statement handler has this one signature: it is called with the
// statement's keyword as the current token, reads its own operands, and leaves
// the token that ended the statement current.
using StatementHandler = void (*)(Durnix_Class&);

struct StatementEntry {
    StatementCode code;
    StatementHandler handler;
};

// A family of handlers (flow, subs, console ...), defined in its own file.
struct StatementFamily {
    const StatementEntry* entries;
    int count;
};

// Every family, in order: when two name one code, the first keeps it.
std::span<const StatementFamily* const> StatementFamilies();
// The handlers by statement code, for the run loop to keep. Codes reach above
// 100,000 but only some hundreds are served, in groups: the table holds a block
// of handlers for each group of codes that serves any, found through an index
// by group. A flat table by code would touch a page of memory for every group
// at every start.
class StatementHandlerTable {
public:
    static constexpr int groupSize = 64;
    StatementHandler Find(int code) const
    {
        if (code < 0) return nullptr;
        const size_t group = static_cast<size_t>(code) / groupSize;
        if (group >= blockOfGroup.size()) return nullptr;
        const uint16_t block = blockOfGroup[group];
        return block == 0 ? nullptr : blocks[(block - 1u) * groupSize + static_cast<size_t>(code) % groupSize];
    }

    // Per group, 1 + its block's number, or 0 when no code of it is served.
    std::vector<uint16_t> blockOfGroup;
    std::vector<StatementHandler> blocks;
};

// The handler of a statement code, or null when the code has none.
StatementHandler FindStatementHandler(int code);
const StatementHandlerTable& StatementHandlers();

// The families, each defined beside its handlers.
extern const StatementFamily flowStatements;
extern const StatementFamily subStatements;
extern const StatementFamily eventStatements;
extern const StatementFamily consoleStatements;
extern const StatementFamily dataStatements;
extern const StatementFamily drawingStatements;
extern const StatementFamily robotStatements;
extern const StatementFamily mailStatements;
extern const StatementFamily debugStatements;
extern const StatementFamily commandStatements;
extern const StatementFamily valueStatements;
extern const StatementFamily navigationStatements;
extern const StatementFamily portStatements;
extern const StatementFamily portReadStatements;
extern const StatementFamily matrixStatements;
extern const StatementFamily projectionStatements;
extern const StatementFamily polyfitStatement;
extern const StatementFamily plotStatements;
extern const StatementFamily filePrintStatements;
extern const StatementFamily imageStatements;
extern const StatementFamily arrayPictureStatements;
extern const StatementFamily controlStatements;
extern const StatementFamily mediaStatements;
