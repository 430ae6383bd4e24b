#pragma once

#include "base/Values.h"

// Where the environment finds itself: its own executable (read for an
// appended program and copied into stand-alone executables), its folder and
// its settings file. Tests point all three into a temporary folder.
struct IdePaths {
    AnsiString executable;
    // With its trailing separator.
    AnsiString programFolder;
    AnsiString settingsFile;

    // The settings file lies beside the executable; when that folder cannot
    // be written, in the user's configuration folder under the same name.
    static IdePaths ForExecutable(const AnsiString& executable);
    // The path of the running program's own executable.
    static AnsiString RunningExecutable();
};
