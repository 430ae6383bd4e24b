#pragma once

#include "interpreter/KeywordCodes.h"

#include <span>

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
// The handler of a statement code, or null when the code has none.
StatementHandler FindStatementHandler(int code);
// The same as a table indexed by code, for the run loop to keep.
std::span<const StatementHandler> StatementHandlers();

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
