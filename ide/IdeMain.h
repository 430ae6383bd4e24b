#pragma once

// The environment's main routine (in the window module): the editor and its
// windows, or a stand-alone executable's own program on the run-time screen.
//   quorvatine                      the environment
//   quorvatine PROGRAM.bas          the environment, running the program at once
int EnvironmentMain(int argc, char** argv);
