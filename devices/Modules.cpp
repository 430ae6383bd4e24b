#include "devices/Modules.h"

#include "platform/Application.h"
#include "platform/ModuleFiles.h"

void* LoadModuleEntry(const char* file, const char* entry)
{
    // Sound, video and the network run on the application's event loop.
    platform::RequireApplication();
    return platform::FindModuleEntry(file, entry, false);
}
