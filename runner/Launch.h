#pragma once

// The program's main routine: the headless runner, a stand-alone
// executable's own program run headless, or else the environment from the
// window module.
//   quorvatine --headless ...       the headless runner (see ProgramRunner.h)
//   quorvatine [PROGRAM.bas]        the environment (see IdeMain.h)
int LaunchMain(int argc, char** argv);
