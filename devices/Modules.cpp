#include "devices/Modules.h"

#include "devices/QelmBridge.h"
#include "platform/Application.h"

#include <dlfcn.h>

#include <string>

void* LoadModuleEntry(const char* file, const char* entry)
{
    // Sound, video and the network run on the application's event loop.
    platform::RequireApplication();
    for (const std::string& folder : { devices::ExecutableFolder(), std::string(QV_MODULE_FOLDER) }) {
        const std::string path = folder + "/" + file;
        if (void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            if (void* address = dlsym(module, entry)) return address;
            dlclose(module);
        }
    }
    return nullptr;
}
