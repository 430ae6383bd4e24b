#pragma once

#include "base/Values.h"

#include <cstdint>

// Starting other programs from a run: never through a shell. The child reads
// the null device; its output goes where the environment's own goes in a
// window, and to the null device in a headless run (where standard output
// carries the program's console).
namespace platform {

enum class ChildOutput { Inherited, Discarded };
void setChildOutput(ChildOutput output);

// Test seam for the fuzz harnesses: while refused, every start fails (-1)
// without running anything.
void setProgramStartAllowed(bool allowed);

enum class StartMode { Wait, NoWait };

// Starts `program` (a path of the file system) with the arguments that
// `parameters` splits into (double quotes group; nothing else is interpreted).
// Wait: processes window events until the child ends and gives its exit code;
// -1 when it could not start, when a signal ended it, or when `stopped` became
// true first (the child keeps running then). NoWait: gives the child's process
// id at once, -1 when it could not start.
int64_t startProgram(const AnsiString& program, const AnsiString& parameters, StartMode mode, const bool& stopped);

} // namespace platform
