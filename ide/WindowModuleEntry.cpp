#include "ide/WindowInstall.h"

// The window module's one entry, found by name when the module is loaded.
extern "C" __attribute__((visibility("default"))) void QvInstallWindowParts()
{
    InstallWindowParts();
}
