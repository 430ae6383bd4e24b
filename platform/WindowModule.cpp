#include "platform/WindowModule.h"

#include "platform/ModuleFiles.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

WindowInstaller installer = nullptr;
bool installed = false;

// Global: the module's parts and the modules loaded later (media) share the
// libraries' one copy of Qt Gui's state.
WindowInstaller LoadInstaller()
{
    return reinterpret_cast<WindowInstaller>(FindModuleEntry(windowModuleFile, windowModuleEntry, true));
}

} // namespace

void setWindowInstaller(WindowInstaller install)
{
    installer = install;
}

void RequireWindowModule()
{
    if (installed) return;
    WindowInstaller install = installer ? installer : LoadInstaller();
    if (!install) {
        const char* why = dlerror();
        std::fprintf(stderr, "quorvatine: cannot load %s%s%s\n", windowModuleFile, why ? ": " : "", why ? why : "");
        std::fflush(nullptr);
        std::_Exit(2);
    }
    // Set first: what the installer itself asks for finds the parts there.
    installed = true;
    install();
}

} // namespace platform
