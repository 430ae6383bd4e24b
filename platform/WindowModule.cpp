#include "platform/WindowModule.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace platform {

namespace {

WindowInstaller installer = nullptr;
bool installed = false;

std::string ExecutableFolder()
{
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    const std::string full(path, static_cast<size_t>(n));
    const size_t slash = full.rfind('/');
    return slash == std::string::npos ? "." : full.substr(0, slash);
}

WindowInstaller LoadInstaller()
{
    for (const std::string& folder : { ExecutableFolder(), std::string(QV_MODULE_FOLDER) }) {
        const std::string path = folder + "/" + windowModuleFile;
        // Global: the module's parts and the modules loaded later (media)
        // share the libraries' one copy of Qt Gui's state.
        if (void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL)) {
            if (void* entry = dlsym(module, windowModuleEntry)) return reinterpret_cast<WindowInstaller>(entry);
            dlclose(module);
        }
    }
    return nullptr;
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

bool windowModuleInstalled()
{
    return installed;
}

} // namespace platform
