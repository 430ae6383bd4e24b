#pragma once

#include "base/Values.h"

// The headless runner: runs one program file the way the environment's Run
// command does (the program's folder becomes the current directory, the
// screen prepares itself, the interpreter runs, the screen restores itself),
// with standard output and input for the screen.
namespace ProgramRunner {

enum class Status { Ended = 0, RunTimeError = 1, CannotRun = 2, BudgetExhausted = 3 };

// The command line: quorvatine --headless [--screenshot OUT.png] [--max-statements N] PROGRAM.bas
int Main(int argc, char** argv);

} // namespace ProgramRunner
