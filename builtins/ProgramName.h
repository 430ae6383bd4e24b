#pragma once

#include "base/Values.h"

// The file name that progname gives: the runner and the editor set it to the
// full path of the program they run.
namespace ProgramName {

void Set(const AnsiString& path);
const AnsiString& Get();

} // namespace ProgramName
