#include "platform/ModuleFiles.h"

#include <dlfcn.h>
#include <unistd.h>

namespace platform {

std::string ExecutableFolder()
{
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    const std::string full(path, static_cast<size_t>(n));
    const size_t slash = full.rfind('/');
    return slash == std::string::npos ? "." : full.substr(0, slash);
}

void* FindModuleEntry(const char* file, const char* entry, bool global)
{
    for (const std::string& folder : { ExecutableFolder(), std::string(QV_MODULE_FOLDER) }) {
        const std::string path = folder + "/" + file;
        if (void* module = dlopen(path.c_str(), RTLD_NOW | (global ? RTLD_GLOBAL : RTLD_LOCAL))) {
            if (void* address = dlsym(module, entry)) return address;
            dlclose(module);
        }
    }
    return nullptr;
}

} // namespace platform
