#pragma once

// Loads a module of the program (a shared library built with it) by absolute
// path: first from the executable's folder, then from the folder it was built
// in, since a stand-alone executable usually lives in its program's folder,
// away from the environment. Returns the address of `entry` in the module, or
// null when neither folder holds a module with it. The module stays loaded
// until the process ends: objects it made may live that long.
void* LoadModuleEntry(const char* file, const char* entry);
