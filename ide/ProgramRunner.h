#pragma once

#include "base/Values.h"

// Runs one program file on the run-time screen, the way the environment's Run
// command does: the program's folder becomes the current directory, the
// screen prepares itself, the interpreter runs, the screen restores itself.
namespace ProgramRunner {

enum class Status { Ended = 0, RunTimeError = 1, CannotRun = 2, BudgetExhausted = 3 };

// Reads and runs `path` on the global screen form (which must exist), ending
// the run after `maxStatements` statements unless that is 0.
Status RunFile(const AnsiString& path, long long maxStatements = 0);

// The command line: quorvatine [--headless [--screenshot OUT.png] [--max-statements N]] PROGRAM.bas
int Main(int argc, char** argv);

} // namespace ProgramRunner
