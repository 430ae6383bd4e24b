#pragma once

#include <string>

namespace platform {

// The folder of the running executable, from /proc/self/exe ("." when unknown).
std::string ExecutableFolder();

// Finds a module of the program (a shared library built with it) by absolute
// path: first in the executable's folder, then in the folder it was built in,
// since a stand-alone executable usually lives in its program's folder, away
// from the environment. Returns the address of `entry` in the module, or null
// when neither folder holds a module with it (dlerror() then says why). With
// `global` the module's symbols serve the modules loaded after it. The module
// stays loaded until the process ends: objects it made may live that long.
void* FindModuleEntry(const char* file, const char* entry, bool global);

} // namespace platform
