#pragma once

// The program's main routine: the environment's window, a stand-alone
// executable's own program, or the headless runner.
//   quorvatine                      the environment
//   quorvatine PROGRAM.bas          the environment, running the program at once
//   quorvatine --headless ...       the headless runner (see ProgramRunner.h)
int EnvironmentMain(int argc, char** argv);
