#pragma once

// Loads a module of the program that runs on the application's event loop
// (tones, the network, media): the application is made first, then the module
// is found as platform::FindModuleEntry finds it, its symbols its own. Returns
// the address of `entry` in the module, or null.
void* LoadModuleEntry(const char* file, const char* entry);
